// The auto-capture dialog (template 135): while it is open the camera
// library decides when to shoot, timed or when a page lies still, and each
// shot it signals runs the ordinary capture. A progress bar shows the
// library's value, a countdown label (timed mode only) the value with its
// unit, and a counter the shots of this run. End stops the run and closes.
//
// The dialog is one object for the whole session; the capture window sets
// the source, mode and target before each run.
#pragma once

#include <cstdint>
#include <functional>

#include "localisation/UiTextTable.h"
#include "platform/Ui.h"

// What a run needs from outside the dialog: the camera's auto-capture mode
// and a shot through the ordinary capture.
class AutoCaptureSource {
 public:
  virtual ~AutoCaptureSource() = default;
  // Starts the camera's run; `onValue` receives each progress value on the
  // UI thread until StopAutoCapture. Returns 0, or the library's error code.
  virtual int32_t StartAutoCapture(int mode, int target,
                                   std::function<void(int32_t)> onValue) = 0;
  // Stops the run; no value reaches `onValue` afterwards.
  virtual void StopAutoCapture() = 0;
  virtual void TakeShot() = 0;
};

class CAutoCaptureDlg : public platform::DialogHandler {
 public:
  // Modes passed to the library.
  static constexpr int kModeAutomatic = 0;
  static constexpr int kModeTimed = 1;

  CAutoCaptureDlg(platform::Ui& ui, const localisation::UiTextTable& texts)
      : ui_(ui), texts_(texts) {}

  // Set before each run.
  void SetSource(AutoCaptureSource* source) { source_ = source; }
  void SetModeAndTarget(int mode, int target) {
    mode_ = mode;
    target_ = target;
  }
  void ResetShotCount() { shotCount_ = 0; }

  // Runs the dialog modally over `owner` until it closes; the run starts as
  // soon as it opens.
  int Run(platform::Window* owner);
  // Stops the run and closes the dialog, as End does; nothing when closed.
  void End();

  // The cameras are about to be closed and opened again (one was plugged in
  // or removed): a run stops now and ResumeRun starts it again on the main
  // camera as it is then, keeping its shot count.
  void SuspendRun();
  void ResumeRun();

  bool IsOpen() const { return GetWindow() != nullptr; }
  bool IsRunning() const { return running_; }
  int Mode() const { return mode_; }
  int Target() const { return target_; }
  int ShotCount() const { return shotCount_; }

  bool OnInitDialog() override;
  void OnCommand(int controlId, int notifyCode) override;
  void OnOk() override { End(); }
  void OnCancel() override;
  void OnDestroy() override { StopRun(); }

 private:
  void StartRun();
  // Clears running and stops the library's run, each time it is called;
  // the progress returns to 0. Shots still waiting are dropped.
  void StopRun();
  void OnProgress(int32_t value);
  // Takes the waiting shots one after the other. A signal that arrives
  // while a shot is being taken (a shot can wait seconds for the camera and
  // show message boxes, which run the UI thread's queue) waits its turn.
  void TakeWaitingShots();
  void ShowCountdown(int32_t value);
  void ShowShotCount();

  platform::Ui& ui_;
  const localisation::UiTextTable& texts_;
  AutoCaptureSource* source_ = nullptr;
  int mode_ = kModeAutomatic;
  int target_ = 3;
  bool running_ = false;
  int shotCount_ = 0;
  int waitingShots_ = 0;
  bool takingShot_ = false;
  bool suspended_ = false;
};
