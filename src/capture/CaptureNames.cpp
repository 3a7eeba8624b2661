#include "capture/CaptureNames.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <utility>

namespace capture {
namespace {

// How far past the tick a free number is looked for: far more captures than
// one millisecond can see.
constexpr int kMaxNumbersTried = 1000;

std::optional<std::string> Name(const std::string& folder, const char* prefix, int32_t number,
                                const std::string& extension) {
  char buffer[kNameBufferSize] = {};
  const int length = std::snprintf(buffer, sizeof buffer, "%s\\%s%d%s", folder.c_str(), prefix,
                                   static_cast<int>(number), extension.c_str());
  if (length < 0 || static_cast<size_t>(length) >= sizeof buffer) return std::nullopt;
  return std::string(buffer, static_cast<size_t>(length));
}

// A number is taken when any file of an earlier capture carries it: its
// main, secondary or merged picture, or the first file of a multiple crop
// ("1_N_1.ext", "2_N_1.ext"), which the library writes instead of the main
// or secondary name. A crop's files would otherwise be written over.
bool Taken(const CaptureNames& names, const std::string& extension,
           const std::function<bool(const std::string& path)>& exists) {
  for (const std::string* name : {&names.main, &names.secondary}) {
    const std::string stem = name->substr(0, name->size() - extension.size());
    if (exists(*name) || exists(stem + "_1" + extension)) return true;
  }
  return exists(names.merge);
}

}  // namespace

const char* ExtensionOf(int formatIndex) {
  static const char* const kExtensions[] = {".bmp", ".jpg", ".png", ".tif"};
  if (formatIndex < 0 || formatIndex >= 4) return "";
  return kExtensions[formatIndex];
}

std::optional<CaptureNames> MakeCaptureNames(const std::string& folder, int32_t number,
                                             const std::string& extension) {
  auto main = Name(folder, "1_", number, extension);
  auto secondary = Name(folder, "2_", number, extension);
  auto merge = Name(folder, "Merge_", number, extension);
  if (!main || !secondary || !merge) return std::nullopt;
  return CaptureNames{*main, *secondary, *merge};
}

std::optional<CaptureNames> FreeCaptureNames(
    const std::string& folder, uint32_t tick, const std::string& extension,
    const std::function<bool(const std::string& path)>& exists) {
  uint32_t number = tick;
  for (int tried = 0; tried < kMaxNumbersTried; ++tried, ++number) {
    // The tick prints as the signed value of its 32 bits.
    int32_t signedNumber = 0;
    std::memcpy(&signedNumber, &number, sizeof number);
    auto names = MakeCaptureNames(folder, signedNumber, extension);
    if (!names) return std::nullopt;
    if (!Taken(*names, extension, exists)) return names;
  }
  return std::nullopt;
}

std::string NameBuffer(const std::string& name) {
  std::string buffer(kNameBufferSize, '\0');
  std::memcpy(buffer.data(), name.data(), std::min(name.size(), kNameBufferSize - 1));
  return buffer;
}

std::string BufferText(const std::string& buffer) {
  const size_t limit = std::min(buffer.size(), kNameBufferSize - 1);
  const size_t end = buffer.find('\0');
  return buffer.substr(0, std::min(end, limit));
}

std::optional<std::vector<std::string>> MultipleCropFiles(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t semicolon = text.find(';'); semicolon != std::string::npos;
       semicolon = text.find(';', start)) {
    parts.push_back(text.substr(start, semicolon - start));
    start = semicolon + 1;
  }
  parts.push_back(text.substr(start));
  if (parts.size() < 2) return std::nullopt;
  std::vector<std::string> files;
  for (std::string& part : parts) {
    if (!part.empty()) files.push_back(std::move(part));
  }
  return files;
}

}  // namespace capture
