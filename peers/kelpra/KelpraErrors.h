// Failure codes of the reference camera library. Callers only distinguish
// zero from non-zero; the values keep clear of -99, which the binding uses
// for a missing export.
#pragma once

#include <cstdint>

namespace kelpra {

constexpr int32_t kOk = 0;
constexpr int32_t kErrNotInitialised = -1;
constexpr int32_t kErrNoDevice = -2;     // index out of range, or -1 where a result matters
constexpr int32_t kErrNotOpen = -3;      // the device is not open
constexpr int32_t kErrBadArgument = -4;  // null pointer, value out of range
constexpr int32_t kErrUnsupported = -5;  // format, size or file type not offered
constexpr int32_t kErrWriteFailed = -6;  // a file could not be written
constexpr int32_t kErrReadFailed = -7;   // a file could not be read or decoded
constexpr int32_t kErrNoSpace = -8;      // the result does not fit the caller's buffer

}  // namespace kelpra
