// The settings reader on arbitrary bytes; whatever it accepts, the writer
// must turn into a file that the reader accepts again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/headless/HeadlessOs.h"
#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static headless::HeadlessOs os;
  os.uiLanguage = size > 0 ? static_cast<uint16_t>(data[0] * 97) : 0x0409;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  settings::SessionSettings record;
  if (!settings::ReadSessionSettings(bytes, os, record)) return 0;
  settings::SessionSettings again;
  if (!settings::ReadSessionSettings(settings::FormatSessionSettings(record, os), os, again)) std::abort();
  return 0;
}
