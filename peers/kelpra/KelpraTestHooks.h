// Extra exports of the reference camera library that only tests use.
//
// The call log holds one line per export call, in call order, written as
//   name(arg,arg,...)\n
// integers in decimal, floats with "%.6g", 8-bit strings in double quotes
// (a null string as null), out-parameters as "&", callbacks as "cb" (or
// "null"). Test hooks themselves are not logged.
//
// Results of the hooks in the reference library: the device hooks return
// the new device count, or a negative code (library not initialised, no
// such device); kelpraTestFailNext returns 0, or a negative code for a name
// that is not an export or a count of 1 or more with code 0. A count of 0
// cancels the export's pending failures. kelpraTestAutoCaptureThreads counts
// the threads of every run, stopped or not, until they have returned;
// kelpraTestAutoCaptureTick returns a negative code for a device without a
// run or a run with its own clock. An injected failure skips the
// export's work entirely (a name getter returns null) but is still logged.
#pragma once

#include <cstdint>

#include "camera/CameraExports.h"

#define KELPRA_TEST_EXPORTS(X)                                                                     \
  /* Copies the log (NUL-terminated, cut to size) and returns its full length. */                 \
  X(kelpraTestGetCallLog, (char* buffer, int32_t size), (buffer, size))                            \
  X(kelpraTestClearCallLog, (), ())                                                                \
  /* Adds a device with this name (or a default webcam when null) and calls the                    \
     device-change callback; returns the new device count. */                                    \
  X(kelpraTestPlugDevice, (const char* name), (name))                                              \
  /* Removes the device at this index and calls the device-change callback. */                    \
  X(kelpraTestUnplugDevice, (int32_t device), (device))                                            \
  /* The next `count` calls of the named export fail with `code`. */                              \
  X(kelpraTestFailNext, (const char* exportName, int32_t count, int32_t code),                     \
    (exportName, count, code))                                                                     \
  /* The auto-capture threads that have not ended yet. */                                         \
  X(kelpraTestAutoCaptureThreads, (), ())                                                          \
  /* Reports the next `ticks` values of the device's run on the caller's thread; only for a     \
     run without a clock (TickMs=0). Returns the values reported. */                               \
  X(kelpraTestAutoCaptureTick, (int32_t device, int32_t ticks), (device, ticks))
