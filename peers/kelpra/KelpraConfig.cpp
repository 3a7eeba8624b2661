// Parser of the library's configuration file (see KelpraConfig.h).
#include "KelpraConfig.h"

#include <cctype>
#include <cstdlib>

namespace kelpra {
namespace {

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

bool EqualsNoCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return i == a.size() && b[i] == '\0';
}

// A whole decimal integer within [low, high]; nothing else may follow.
bool ParseInt(const std::string& text, int64_t low, int64_t high, int64_t& value) {
  if (text.empty() || text.size() > 11) return false;
  size_t i = 0;
  bool negative = false;
  if (text[0] == '-' || text[0] == '+') {
    negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) return false;
  int64_t result = 0;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    result = result * 10 + (text[i] - '0');
  }
  if (negative) result = -result;
  if (result < low || result > high) return false;
  value = result;
  return true;
}

bool IsPrintableName(const std::string& text, size_t maxLength) {
  if (text.empty() || text.size() > maxLength) return false;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7f) return false;
  }
  return true;
}

// "WIDTHxHEIGHT" or "WIDTHxHEIGHT@DPI"; dpi stays 0 without "@".
bool ParseSize(const std::string& text, FrameSize& size) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  const size_t at = text.find('@', x);
  int64_t width = 0, height = 0, dpi = 0;
  if (!ParseInt(Trim(text.substr(0, x)), 1, limits::kMaxSide, width)) return false;
  const std::string heightText =
      at == std::string::npos ? text.substr(x + 1) : text.substr(x + 1, at - x - 1);
  if (!ParseInt(Trim(heightText), 1, limits::kMaxSide, height)) return false;
  if (static_cast<int64_t>(width) * height > limits::kMaxPixels) return false;
  if (at != std::string::npos && !ParseInt(Trim(text.substr(at + 1)), 1, limits::kMaxDpi, dpi))
    return false;
  size = FrameSize{static_cast<int>(width), static_cast<int>(height), static_cast<int>(dpi)};
  return true;
}

// "exportName,count,code".
bool ParseFailRule(const std::string& text, FailRule& rule) {
  const size_t first = text.find(',');
  if (first == std::string::npos) return false;
  const size_t second = text.find(',', first + 1);
  if (second == std::string::npos) return false;
  const std::string name = Trim(text.substr(0, first));
  int64_t count = 0, code = 0;
  if (!IsPrintableName(name, 40)) return false;
  if (!ParseInt(Trim(text.substr(first + 1, second - first - 1)), 1, 1000000, count)) return false;
  if (!ParseInt(Trim(text.substr(second + 1)), -2147483647LL, 2147483647LL, code) || code == 0)
    return false;
  rule = FailRule{name, static_cast<int>(count), static_cast<int32_t>(code)};
  return true;
}

bool ParseInt32(const std::string& text, int64_t& value) {
  return ParseInt(text, -2147483647LL - 1, 2147483647LL, value);
}

// One of the keys that make a device report something else than the truth.
bool ParseFault(const std::string& key, const std::string& value, DeviceFaults& faults) {
  int64_t number = 0;
  if (!ParseInt32(value, number)) return false;
  const int32_t reported = static_cast<int32_t>(number);
  if (EqualsNoCase(key, "ReportedFormats")) {
    faults.formatCount = reported;
  } else if (EqualsNoCase(key, "ReportedSizes")) {
    faults.sizeCount = reported;
  } else if (EqualsNoCase(key, "ReportedWidth")) {
    faults.currentWidth = reported;
  } else if (EqualsNoCase(key, "OpenFails") && reported != 0) {
    faults.openFailure = reported;
  } else {
    return false;
  }
  return true;
}

enum class Section { None, Library, Device, Unknown };

struct DeviceDraft {
  DeviceSpec model;
  int defaultDpi = 96;
};

// Fills in sizes without their own DPI and drops empty formats.
bool FinishDevice(DeviceDraft& draft, std::vector<DeviceSpec>& devices) {
  std::vector<VideoFormat> kept;
  for (VideoFormat& format : draft.model.formats) {
    if (format.sizes.empty()) continue;
    for (FrameSize& size : format.sizes) {
      if (size.dpi == 0) size.dpi = draft.defaultDpi;
    }
    kept.push_back(format);
  }
  if (kept.empty() || static_cast<int>(devices.size()) >= limits::kMaxDevices) return false;
  draft.model.formats = kept;
  if (draft.model.name.empty()) draft.model.name = "Kelpra Camera " + std::to_string(devices.size());
  devices.push_back(draft.model);
  return true;
}

}  // namespace

LibraryConfig ParseConfig(const std::string& input) {
  LibraryConfig config;
  const std::string text = input.substr(0, limits::kMaxFileBytes);
  Section section = Section::None;
  bool inDevice = false;
  DeviceDraft draft;

  size_t lineStart = 0;
  while (lineStart < text.size()) {
    size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    const std::string line = Trim(text.substr(lineStart, lineEnd - lineStart));
    lineStart = lineEnd + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;

    if (line.front() == '[') {
      if (inDevice && !FinishDevice(draft, config.devices)) ++config.skippedLines;
      inDevice = false;
      if (line.back() != ']') {
        section = Section::Unknown;
        ++config.skippedLines;
        continue;
      }
      const std::string name = Trim(line.substr(1, line.size() - 2));
      if (EqualsNoCase(name, "Library")) {
        section = Section::Library;
      } else if (EqualsNoCase(name, "Device")) {
        section = Section::Device;
        inDevice = true;
        draft = DeviceDraft{};
      } else {
        section = Section::Unknown;
        ++config.skippedLines;
      }
      continue;
    }

    const size_t equals = line.find('=');
    if (equals == std::string::npos || section == Section::None || section == Section::Unknown) {
      ++config.skippedLines;
      continue;
    }
    const std::string key = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    bool accepted = false;
    int64_t number = 0;

    if (section == Section::Library) {
      if (EqualsNoCase(key, "TickMs") && ParseInt(value, 0, limits::kMaxTickMs, number)) {
        config.tickMs = static_cast<int>(number);
        accepted = true;
      } else if (EqualsNoCase(key, "ReportedDevices") && ParseInt32(value, number)) {
        config.reportedDeviceCount = static_cast<int32_t>(number);
        accepted = true;
      } else if (EqualsNoCase(key, "Fail")) {
        FailRule rule;
        if (static_cast<int>(config.failRules.size()) < limits::kMaxFailRules &&
            ParseFailRule(value, rule)) {
          config.failRules.push_back(rule);
          accepted = true;
        }
      }
    } else {
      DeviceSpec& model = draft.model;
      if (EqualsNoCase(key, "Name") && IsPrintableName(value, limits::kMaxNameLength)) {
        model.name = value;
        accepted = true;
      } else if (EqualsNoCase(key, "Dpi") && ParseInt(value, 1, limits::kMaxDpi, number)) {
        draft.defaultDpi = static_cast<int>(number);
        accepted = true;
      } else if (EqualsNoCase(key, "Documents") && ParseInt(value, 1, 2, number)) {
        model.documents = static_cast<int>(number);
        accepted = true;
      } else if (EqualsNoCase(key, "Format") &&
                 IsPrintableName(value, limits::kMaxFormatNameLength) &&
                 static_cast<int>(model.formats.size()) < limits::kMaxFormats) {
        model.formats.push_back(VideoFormat{value, {}});
        accepted = true;
      } else if (ParseFault(key, value, model.faults)) {
        accepted = true;
      } else if (EqualsNoCase(key, "Size") && !model.formats.empty() &&
                 static_cast<int>(model.formats.back().sizes.size()) < limits::kMaxSizes) {
        FrameSize size;
        if (ParseSize(value, size)) {
          model.formats.back().sizes.push_back(size);
          accepted = true;
        }
      }
    }
    if (!accepted) ++config.skippedLines;
  }
  if (inDevice && !FinishDevice(draft, config.devices)) ++config.skippedLines;
  if (config.devices.empty()) config.devices = DefaultDevices();
  return config;
}

}  // namespace kelpra
