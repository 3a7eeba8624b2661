// The language file reader on arbitrary bytes: no entry may exceed its
// buffer or end in half a surrogate pair.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "localisation/LanguageFiles.h"
#include "platform/headless/HeadlessOs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static headless::HeadlessOs os;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  localisation::UiTextTable table;
  (void)localisation::ReadUiTexts(bytes, os, table);
  for (size_t i = 0; i < localisation::kUiTextKeyCount; ++i) {
    const std::u16string& text = table.Text(static_cast<localisation::UiText>(i));
    if (text.size() > localisation::kUiTextMaxUnits) std::abort();
    if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) std::abort();
  }
  (void)localisation::PageCounterText(table, size > 0 ? data[0] : 0);
  return 0;
}
