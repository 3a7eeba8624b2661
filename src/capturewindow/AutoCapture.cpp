#include "capturewindow/AutoCapture.h"

#include <utility>

#include "resource.h"

namespace capturewindow {
namespace {

// Mode and target of each entry of the auto-capture list; entry 0 is manual
// capture, and an index past the table keeps the last run's values.
struct AutoCaptureEntry {
  int mode;
  int target;
};
constexpr AutoCaptureEntry kEntries[] = {
    {0, 0},  // manual: never started from here
    {CAutoCaptureDlg::kModeTimed, 5},
    {CAutoCaptureDlg::kModeTimed, 7},
    {CAutoCaptureDlg::kModeAutomatic, 5},
};
constexpr int kEntryCount = sizeof kEntries / sizeof kEntries[0];

}  // namespace

AutoCapture::AutoCapture(CaptureContext& context, camera::CameraCallbacks& callbacks,
                         capture::CapturePipeline& pipeline, MergeControls& merges)
    : context_(context),
      callbacks_(callbacks),
      pipeline_(pipeline),
      merges_(merges),
      dialog_(context.platform.ui, context.texts) {}

void AutoCapture::Start() {
  platform::Window& window = context_.Controls();
  const int index = window.Selection(IDC_AUTO_CAPTURE_MODE);
  if (window.IsChecked(IDC_MERGE)) context_.window.CheckAndRun(IDC_MERGE, false);
  if (window.IsChecked(IDC_SECONDARY_MERGE)) {
    context_.window.CheckAndRun(IDC_SECONDARY_MERGE, false);
  }
  dialog_.ResetShotCount();
  if (index >= 1 && index < kEntryCount) {
    dialog_.SetModeAndTarget(kEntries[index].mode, kEntries[index].target);
  }
  if (dialog_.IsOpen()) return;
  dialog_.SetSource(this);
  (void)dialog_.Run(&window);
}

int32_t AutoCapture::StartAutoCapture(int mode, int target,
                                      std::function<void(int32_t)> onValue) {
  const CamAutoCaptureCallback callback = callbacks_.BeginAutoCapture(std::move(onValue));
  const int32_t result =
      context_.camera.camStartAutoCapture(context_.window.MainDeviceIndex(), mode, target, callback);
  if (result != 0) callbacks_.EndAutoCapture();
  return result;
}

void AutoCapture::StopAutoCapture() {
  // Values the library sent before the stop and that still wait on the UI
  // thread are dropped with the handler.
  callbacks_.EndAutoCapture();
  (void)context_.camera.camStopAutoCapture(context_.window.MainDeviceIndex());
}

void AutoCapture::TakeShot() {
  pipeline_.CaptureImage(merges_.ForCapture());
}

}  // namespace capturewindow
