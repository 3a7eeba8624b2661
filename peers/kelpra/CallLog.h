// The call log of the test hooks: one line per export call,
//   name(arg,arg,...)
// integers in decimal, floats with "%.6g", strings in double quotes (null as
// null), out-parameters as "&", callbacks as "cb" (or "null").
#pragma once

#include <cstdint>
#include <string>

#include "camera/CameraExports.h"

namespace kelpra {

void AppendCallLog(const std::string& line);
std::string CallLogText();
void ClearCallLog();

inline std::string FormatArg(int32_t value) { return std::to_string(value); }
std::string FormatArg(float value);
std::string FormatArg(const char* text);
// The capture path: a 1024-byte buffer that may hold no terminator at all.
std::string FormatArg(char* buffer);
inline std::string FormatArg(int32_t* out) { return out ? "&" : "null"; }
inline std::string FormatArg(CamAutoCaptureCallback callback) { return callback ? "cb" : "null"; }

inline std::string FormatArgs() { return ""; }
template <typename First, typename... Rest>
std::string FormatArgs(First first, Rest... rest) {
  std::string text = FormatArg(first);
  ((text += "," + FormatArg(rest)), ...);
  return text;
}

}  // namespace kelpra
