// The capture path buffer as the camera library leaves it after a multiple
// crop: any bytes, read as text up to its terminator or its 1024 bytes,
// then split into the files the library lists.
#include <cstddef>
#include <cstdint>
#include <string>

#include "capture/CaptureNames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string buffer(reinterpret_cast<const char*>(data), size);
  buffer.resize(capture::kNameBufferSize, '\0');
  const std::string text = capture::BufferText(buffer);
  if (text.size() >= capture::kNameBufferSize || text.find('\0') != std::string::npos) {
    __builtin_trap();
  }
  const auto files = capture::MultipleCropFiles(text);
  if (!files) {
    // Nothing is listed only when the text holds no separator.
    if (text.find(';') != std::string::npos) __builtin_trap();
    return 0;
  }
  size_t named = 0;
  for (const std::string& file : *files) {
    if (file.empty() || file.find(';') != std::string::npos) __builtin_trap();
    named += file.size();
  }
  // The files are the text without its separators, in order.
  size_t separators = 0;
  for (char c : text) separators += c == ';' ? 1 : 0;
  if (named + separators != text.size()) __builtin_trap();
  return 0;
}
