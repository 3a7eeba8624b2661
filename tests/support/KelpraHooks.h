// The reference library's test hooks, reached through the binding's own
// Resolve so that they act on the module the binding holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "KelpraTestHooks.h"
#include "camera/CameraLibrary.h"

namespace testing_support {

class KelpraHooks {
 public:
  explicit KelpraHooks(camera::CameraLibrary& library) : library_(library) {}

  // Copies the call log into `buffer`, cut to `size` with its terminator;
  // the log's whole length.
  int32_t CopyCallLog(char* buffer, int32_t size) {
    return Call<kelpraTestGetCallLogFunction>("kelpraTestGetCallLog", buffer, size);
  }
  // The whole call log; empty when the hook is missing.
  std::string CallLog() {
    const int32_t length = CopyCallLog(nullptr, 0);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    CopyCallLog(buffer.data(), static_cast<int32_t>(buffer.size()));
    return std::string(buffer.data());
  }
  bool ClearCallLog() {
    return Call<kelpraTestClearCallLogFunction>("kelpraTestClearCallLog") != camera::kMissingExport;
  }
  // Adds a device and has the library report the change; the new count.
  int32_t PlugDevice(const char* name) {
    return Call<kelpraTestPlugDeviceFunction>("kelpraTestPlugDevice", name);
  }
  // Removes the device at `device` and has the library report the change;
  // the new count.
  int32_t UnplugDevice(int32_t device) {
    return Call<kelpraTestUnplugDeviceFunction>("kelpraTestUnplugDevice", device);
  }

  // The next `count` calls of `exportName` fail with `code`.
  int32_t FailNext(const char* exportName, int32_t count, int32_t code) {
    return Call<kelpraTestFailNextFunction>("kelpraTestFailNext", exportName, count, code);
  }

  // The auto-capture threads that have not ended yet.
  int32_t AutoCaptureThreads() {
    return Call<kelpraTestAutoCaptureThreadsFunction>("kelpraTestAutoCaptureThreads");
  }
  // Reports the next `ticks` values of a clockless run (TickMs=0) of
  // `device` on this thread; the number reported, or a negative code.
  int32_t AutoCaptureTick(int32_t device, int32_t ticks) {
    return Call<kelpraTestAutoCaptureTickFunction>("kelpraTestAutoCaptureTick", device, ticks);
  }

 private:
#define KELPRA_HOOK_TYPE(name, params, args) using name##Function = int32_t(CAM_CALL*) params;
  KELPRA_TEST_EXPORTS(KELPRA_HOOK_TYPE)
#undef KELPRA_HOOK_TYPE

  // The hook's result, or kMissingExport when the library has no such hook.
  template <typename Function, typename... Args>
  int32_t Call(const char* name, Args... args) {
    const auto hook = reinterpret_cast<Function>(library_.Resolve(name));
    return hook != nullptr ? hook(args...) : camera::kMissingExport;
  }
  camera::CameraLibrary& library_;
};

}  // namespace testing_support
