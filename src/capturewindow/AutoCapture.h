// capturewindow/AutoCapture.h: automatic shots. Owns the auto-capture
// dialog (one for the session) and is its source: it starts and stops the
// main camera's auto-capture run, brings the library's values onto the UI
// thread and takes each signalled shot through the capture pipeline.
// Started by the Capture button (1109) when the auto-capture list (1095)
// is not at manual, and by command 1028.
#pragma once

#include "camera/CameraCallbacks.h"
#include "capture/CapturePipeline.h"
#include "capturewindow/MergeControls.h"
#include "context/CaptureContext.h"
#include "dialogs/CAutoCaptureDlg.h"

namespace capturewindow {

class AutoCapture : public AutoCaptureSource {
 public:
  AutoCapture(CaptureContext& context, camera::CameraCallbacks& callbacks,
              capture::CapturePipeline& pipeline, MergeControls& merges);

  // Automatic shots are plain shots: both merges are switched off first.
  // Then the mode of the list's entry runs in the dialog until it closes;
  // nothing new opens while a run's dialog is open.
  void Start();
  // Stops a run and closes its dialog, as End does: the window is closing
  // or handing its files over. Nothing when no dialog is open.
  void End() { dialog_.End(); }
  // Around the rebuild after a camera was plugged in or removed: a run
  // stops with the old cameras and goes on with the new main camera.
  void BeforeDeviceChange() { dialog_.SuspendRun(); }
  void AfterDeviceChange() { dialog_.ResumeRun(); }

  const CAutoCaptureDlg& Dialog() const { return dialog_; }

  int32_t StartAutoCapture(int mode, int target,
                           std::function<void(int32_t)> onValue) override;
  void StopAutoCapture() override;
  void TakeShot() override;

 private:
  CaptureContext& context_;
  camera::CameraCallbacks& callbacks_;
  capture::CapturePipeline& pipeline_;
  MergeControls& merges_;
  CAutoCaptureDlg dialog_;
};

}  // namespace capturewindow
