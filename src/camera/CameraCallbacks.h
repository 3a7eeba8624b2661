// The camera library's two callbacks, brought onto the UI thread.
//
// The library may call back from a thread of its own. The plain callbacks
// handed to it therefore only post a task to the UI thread and return true at
// once; the task runs the handler registered here, on the UI thread, unless
// the handler was cleared, replaced or its auto-capture run stopped in the
// meantime. Nothing else is touched on the library's thread.
//
// The plain callbacks reach the one `CameraCallbacks` object of the process
// through a process-wide pointer, set while that object lives.
#pragma once

#include <cstdint>
#include <functional>

#include "camera/CameraExports.h"

namespace platform {
class Ui;
}

namespace camera {

class CameraCallbacks {
 public:
  // `ui` must outlive every callback the library can still make. Only one
  // object may exist at a time.
  explicit CameraCallbacks(platform::Ui& ui);
  ~CameraCallbacks();
  CameraCallbacks(const CameraCallbacks&) = delete;
  CameraCallbacks& operator=(const CameraCallbacks&) = delete;

  // Sets the handler for "a camera was plugged in or removed" and returns the
  // callback to register with camRegCallBackDeviceChange. Notifications still
  // queued for an earlier handler are dropped.
  CamDeviceChangeCallback SetDeviceChangeHandler(std::function<void()> handler);
  // Drops the handler and every notification still queued for it.
  void ClearDeviceChangeHandler();

  // Starts a new auto-capture run: sets the handler for its progress values
  // and returns the callback to pass to camStartAutoCapture. Values still
  // queued from an earlier run are dropped.
  CamAutoCaptureCallback BeginAutoCapture(std::function<void(int32_t)> handler);
  // Ends the run: no progress value of it reaches a handler afterwards, even
  // one the library sent before this call. Safe to call more than once.
  void EndAutoCapture();

 private:
  friend int32_t CAM_CALL DeviceChangeCallback(int32_t unused);
  friend int32_t CAM_CALL AutoCaptureCallback(int32_t value);

  static void DeliverDeviceChange(uint32_t generation);
  static void DeliverAutoCapture(uint32_t generation, int32_t value);

  std::function<void()> deviceChangeHandler_;
  std::function<void(int32_t)> autoCaptureHandler_;
};

// The plain callbacks handed to the library. Callable from any thread; each
// returns true (1) at once.
int32_t CAM_CALL DeviceChangeCallback(int32_t unused);
int32_t CAM_CALL AutoCaptureCallback(int32_t value);

}  // namespace camera
