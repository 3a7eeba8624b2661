// capturewindow/WatermarkControls.h: the watermark on the capture window:
// check box 1010, the settings button 1011, and the watermark options they
// hand to the camera library. Owns the options from start-up (defaults,
// then the saved ones) until they are collected for the settings file.
#pragma once

#include "context/CaptureContext.h"
#include "dialogs/WatermarkOptions.h"

namespace capturewindow {

class WatermarkControls {
 public:
  explicit WatermarkControls(CaptureContext& context);

  // Handler of the check box 1010, also run by the refresh and after OK in
  // the dialog: sends the options to the camera library switched on or off
  // as the check box is, and lets the settings button be used exactly while
  // the watermark is on. Switched off, the library gets an empty text and
  // font.
  void ApplyWatermark();
  // Handler of the settings button 1011: the dialog edits a copy of the
  // options; OK keeps the copy and runs the check box's handler, Cancel
  // changes nothing.
  void OnSettings();
  // Before a shot of the main camera: a watermark that is on and carries
  // the time stamp is sent again, so that each picture shows its own time.
  void RefreshTimeStamp();

  // The settings button can be used exactly while the watermark is on.
  void ApplyEnableState(bool watermarkOn);

  // The saved options, at start-up.
  void Restore(const settings::SessionSettings& saved);
  // The options, for the settings file (the check box is collected with the
  // other controls).
  void Collect(settings::SessionSettings& record) const;

  const WatermarkOptions& Options() const { return options_; }

 private:
  void Send(bool on);

  CaptureContext& context_;
  WatermarkOptions options_;
};

}  // namespace capturewindow
