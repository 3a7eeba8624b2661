#include "capturewindow/WatermarkControls.h"

#include "resource.h"

namespace capturewindow {

WatermarkControls::WatermarkControls(CaptureContext& context) : context_(context) {}

void WatermarkControls::ApplyEnableState(bool watermarkOn) {
  context_.Controls().Enable(IDC_WATERMARK_SETTINGS, watermarkOn);
}

}  // namespace capturewindow
