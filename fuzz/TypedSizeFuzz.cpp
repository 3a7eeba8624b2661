// Feeds arbitrary text, as the user may type it into the watermark dialog's
// size and font fields, to the rules that read it: the leading integer and
// the list searches. Every two bytes are one UTF-16 unit.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/ListSearch.h"
#include "dialogs/WatermarkLabels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  }
  static const std::vector<std::u16string> sizes = {u"5",  u"8",  u"9",  u"10", u"11", u"12",
                                                     u"14", u"16", u"18", u"20", u"22", u"24",
                                                     u"26", u"28", u"36", u"48", u"72"};
  const int value = dialogs::LeadingInteger(text);
  (void)dialogs::PercentText(value);
  (void)dialogs::DegreesText(static_cast<float>(value));
  const int startAfter = size > 0 ? static_cast<int>(data[0]) - 1 : -1;
  const int found = dialogs::FindItemWithPrefix(sizes, startAfter, text);
  if (found < -1 || found >= static_cast<int>(sizes.size())) __builtin_trap();
  (void)dialogs::FindItemNamed(sizes, text);
  return 0;
}
