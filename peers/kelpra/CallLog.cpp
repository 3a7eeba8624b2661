// The call log, shared by every thread that calls an export.
#include "CallLog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace kelpra {
namespace {

// A long demo must not grow the log without bound: past this size the older
// half is dropped at a line boundary.
constexpr size_t kMaxLogBytes = 8u * 1024 * 1024;
// Strings are logged up to these lengths; the capture path buffer has 1024
// bytes and need not be terminated.
constexpr size_t kMaxLoggedText = 4096;
constexpr size_t kPathBufferSize = 1024;

std::mutex& LogMutex() {
  static std::mutex mutex;
  return mutex;
}

std::string& Log() {
  static std::string log;
  return log;
}

// The file named by KELPRA_CALL_LOG, if any, gets every line too, so that a
// test can read the calls of a library another process has loaded.
void AppendToCallLogFile(const std::string& line) {
  static const std::string path = [] {
    const char* named = std::getenv("KELPRA_CALL_LOG");
    return std::string(named != nullptr ? named : "");
  }();
  if (path.empty()) return;
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return;
  (void)std::fwrite(line.data(), 1, line.size(), file);
  (void)std::fputc('\n', file);
  (void)std::fclose(file);
}

}  // namespace

std::string FormatArg(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
  return text;
}

std::string FormatArg(const char* text) {
  if (!text) return "null";
  return "\"" + std::string(text, strnlen(text, kMaxLoggedText)) + "\"";
}

std::string FormatArg(char* buffer) {
  if (!buffer) return "null";
  return "\"" + std::string(buffer, strnlen(buffer, kPathBufferSize)) + "\"";
}

void AppendCallLog(const std::string& line) {
  std::lock_guard<std::mutex> lock(LogMutex());
  AppendToCallLogFile(line);
  std::string& log = Log();
  log += line;
  log += '\n';
  if (log.size() > kMaxLogBytes) {
    const size_t cut = log.find('\n', log.size() / 2);
    log.erase(0, cut == std::string::npos ? log.size() : cut + 1);
  }
}

std::string CallLogText() {
  std::lock_guard<std::mutex> lock(LogMutex());
  return Log();
}

void ClearCallLog() {
  std::lock_guard<std::mutex> lock(LogMutex());
  Log().clear();
}

}  // namespace kelpra
