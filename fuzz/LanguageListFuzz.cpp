// The language list reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "localisation/LanguageFiles.h"
#include "platform/headless/HeadlessOs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static headless::HeadlessOs os;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  localisation::LanguageList list;
  const bool read = localisation::ReadLanguageList(bytes, os, list);
  if (read == list.empty()) std::abort();
  return 0;
}
