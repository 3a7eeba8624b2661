// Every record the reference data source receives, as one JSON line each.
// Records and events end with "at": the milliseconds since the log was
// opened, so that a session can tell how long one thing took after another.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include <windows.h>

class RecordLog {
 public:
  explicit RecordLog(const std::wstring& path);
  ~RecordLog();
  void Record(uint32_t kind, uint32_t size, int32_t code, const std::u16string& text,
              int fileExists);
  void Event(const std::string& name, const std::string& detail = std::string());
  // What a step read from the capture window, e.g. a control's text.
  void Read(const std::string& what, const std::u16string& text);

 private:
  void Write(const std::string& line);
  std::string At() const;
  FILE* file_ = nullptr;
  DWORD opened_;
};
