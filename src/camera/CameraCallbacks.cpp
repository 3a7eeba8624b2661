#include "camera/CameraCallbacks.h"

#include <atomic>
#include <utility>

#include "platform/Ui.h"

namespace camera {

namespace {

// Process-wide state shared with the library's threads. Only atomics are read
// there; the handlers themselves are touched on the UI thread alone.
std::atomic<CameraCallbacks*> g_CameraCallbacks{nullptr};
std::atomic<platform::Ui*> g_CallbackUi{nullptr};
// A posted notification carries the generation current when the library
// called; it is delivered only if the generation is unchanged when the task
// runs. Clearing a handler or ending a run moves the generation on.
std::atomic<uint32_t> g_DeviceChangeGeneration{0};
std::atomic<uint32_t> g_AutoCaptureGeneration{0};

// Posts from the library's thread. Nothing may propagate into the library,
// so a failing post simply loses the notification.
template <typename Task>
void PostToUi(Task task) {
  platform::Ui* ui = g_CallbackUi.load();
  if (ui == nullptr) return;
  try {
    ui->Post(std::move(task));
  } catch (...) {
  }
}

}  // namespace

CameraCallbacks::CameraCallbacks(platform::Ui& ui) {
  g_CallbackUi.store(&ui);
  g_CameraCallbacks.store(this);
}

CameraCallbacks::~CameraCallbacks() {
  CameraCallbacks* self = this;
  if (g_CameraCallbacks.compare_exchange_strong(self, nullptr)) g_CallbackUi.store(nullptr);
  ++g_DeviceChangeGeneration;
  ++g_AutoCaptureGeneration;
}

CamDeviceChangeCallback CameraCallbacks::SetDeviceChangeHandler(std::function<void()> handler) {
  deviceChangeHandler_ = std::move(handler);
  return &DeviceChangeCallback;
}

void CameraCallbacks::ClearDeviceChangeHandler() {
  ++g_DeviceChangeGeneration;
  deviceChangeHandler_ = nullptr;
}

CamAutoCaptureCallback CameraCallbacks::BeginAutoCapture(std::function<void(int32_t)> handler) {
  ++g_AutoCaptureGeneration;
  autoCaptureHandler_ = std::move(handler);
  return &AutoCaptureCallback;
}

void CameraCallbacks::EndAutoCapture() {
  ++g_AutoCaptureGeneration;
  autoCaptureHandler_ = nullptr;
}

void CameraCallbacks::DeliverDeviceChange(uint32_t generation) {
  CameraCallbacks* self = g_CameraCallbacks.load();
  if (self == nullptr || generation != g_DeviceChangeGeneration.load()) return;
  if (!self->deviceChangeHandler_) return;
  // A copy, so that the handler may replace or clear itself while it runs.
  const std::function<void()> handler = self->deviceChangeHandler_;
  handler();
}

void CameraCallbacks::DeliverAutoCapture(uint32_t generation, int32_t value) {
  CameraCallbacks* self = g_CameraCallbacks.load();
  if (self == nullptr || generation != g_AutoCaptureGeneration.load()) return;
  if (!self->autoCaptureHandler_) return;
  const std::function<void(int32_t)> handler = self->autoCaptureHandler_;
  handler(value);
}

int32_t CAM_CALL DeviceChangeCallback(int32_t /*unused*/) {
  const uint32_t generation = g_DeviceChangeGeneration.load();
  PostToUi([generation] { CameraCallbacks::DeliverDeviceChange(generation); });
  return 1;
}

int32_t CAM_CALL AutoCaptureCallback(int32_t value) {
  const uint32_t generation = g_AutoCaptureGeneration.load();
  PostToUi([generation, value] { CameraCallbacks::DeliverAutoCapture(generation, value); });
  return 1;
}

}  // namespace camera
