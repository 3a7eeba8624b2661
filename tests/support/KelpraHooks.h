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

  // The whole call log; empty when the hook is missing.
  std::string CallLog() {
    const auto getLog = Hook<kelpraTestGetCallLogFunction>("kelpraTestGetCallLog");
    if (getLog == nullptr) return {};
    char probe[1] = {};
    const int32_t length = getLog(probe, 1);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    getLog(buffer.data(), static_cast<int32_t>(buffer.size()));
    return std::string(buffer.data());
  }
  bool ClearCallLog() {
    const auto clear = Hook<kelpraTestClearCallLogFunction>("kelpraTestClearCallLog");
    if (clear == nullptr) return false;
    (void)clear();
    return true;
  }
  // Adds a device and has the library report the change; the new count.
  int32_t PlugDevice(const char* name) {
    const auto plug = Hook<kelpraTestPlugDeviceFunction>("kelpraTestPlugDevice");
    return plug != nullptr ? plug(name) : camera::kMissingExport;
  }
  // Removes the device at `device` and has the library report the change;
  // the new count.
  int32_t UnplugDevice(int32_t device) {
    const auto unplug = Hook<kelpraTestUnplugDeviceFunction>("kelpraTestUnplugDevice");
    return unplug != nullptr ? unplug(device) : camera::kMissingExport;
  }

  // The next `count` calls of `exportName` fail with `code`.
  int32_t FailNext(const char* exportName, int32_t count, int32_t code) {
    const auto failNext = Hook<kelpraTestFailNextFunction>("kelpraTestFailNext");
    return failNext != nullptr ? failNext(exportName, count, code) : camera::kMissingExport;
  }

  // Reports the next `ticks` values of a clockless run (TickMs=0) of
  // `device` on this thread; the number reported, or a negative code.
  int32_t AutoCaptureTick(int32_t device, int32_t ticks) {
    const auto tick = Hook<kelpraTestAutoCaptureTickFunction>("kelpraTestAutoCaptureTick");
    return tick != nullptr ? tick(device, ticks) : camera::kMissingExport;
  }

 private:
#define KELPRA_HOOK_TYPE(name, params, args) using name##Function = int32_t(CAM_CALL*) params;
  KELPRA_TEST_EXPORTS(KELPRA_HOOK_TYPE)
#undef KELPRA_HOOK_TYPE

  template <typename Function>
  Function Hook(const char* name) {
    return reinterpret_cast<Function>(library_.Resolve(name));
  }
  camera::CameraLibrary& library_;
};

}  // namespace testing_support
