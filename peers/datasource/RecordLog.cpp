#include "RecordLog.h"

#include <cstdio>

namespace {

std::string JsonString(const std::u16string& text) {
  std::string out = "\"";
  for (char16_t unit : text) {
    if (unit == u'"' || unit == u'\\') {
      out += '\\';
      out += static_cast<char>(unit);
    } else if (unit >= 0x20 && unit < 0x7F) {
      out += static_cast<char>(unit);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(unit));
      out += escaped;
    }
  }
  return out + "\"";
}

}  // namespace

RecordLog::RecordLog(const std::wstring& path) : opened_(GetTickCount()) {
  if (!path.empty()) file_ = _wfopen(path.c_str(), L"wb");
}

std::string RecordLog::At() const { return ",\"at\":" + std::to_string(GetTickCount() - opened_); }

RecordLog::~RecordLog() {
  if (file_ != nullptr) std::fclose(file_);
}

void RecordLog::Record(uint32_t kind, uint32_t size, int32_t code, const std::u16string& text,
                       int fileExists) {
  std::string line = "{\"kind\":" + std::to_string(kind) + ",\"size\":" + std::to_string(size) +
                     ",\"code\":" + std::to_string(code) + ",\"text\":" + JsonString(text);
  if (fileExists >= 0) line += std::string(",\"exists\":") + (fileExists ? "true" : "false");
  Write(line + At() + "}");
}

void RecordLog::Event(const std::string& name, const std::string& detail) {
  std::u16string wideDetail(detail.begin(), detail.end());
  Write("{\"event\":\"" + name + "\",\"detail\":" + JsonString(wideDetail) + At() + "}");
}

void RecordLog::Read(const std::string& what, const std::u16string& text) {
  Write("{\"read\":\"" + what + "\",\"text\":" + JsonString(text) + "}");
}

void RecordLog::Write(const std::string& line) {
  std::fprintf(stdout, "%s\n", line.c_str());
  std::fflush(stdout);
  if (file_ != nullptr) {
    std::fprintf(file_, "%s\n", line.c_str());
    std::fflush(file_);
  }
}
