// capturewindow/WatermarkControls.h: the watermark on the capture window:
// check box 1010, the settings button 1011 and the watermark options the
// settings dialog edits.
#pragma once

#include "context/CaptureContext.h"

namespace capturewindow {

class WatermarkControls {
 public:
  explicit WatermarkControls(CaptureContext& context);

  // The settings button can be used exactly while the watermark is on.
  void ApplyEnableState(bool watermarkOn);

 private:
  CaptureContext& context_;
};

}  // namespace capturewindow
