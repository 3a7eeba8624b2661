#include "capturewindow/ImageOptions.h"

#include "resource.h"

namespace capturewindow {

ImageOptions::ImageOptions(CaptureContext& context) : context_(context) {}

void ImageOptions::Restore(const settings::SessionSettings& saved) {
  cropModeBeforeHandCrop_ = saved.cutType;
}

void ImageOptions::ApplyCropLock() {
  platform::Window& window = context_.Controls();
  const bool unlocked = !IsCropLocked();
  for (int id : {IDC_COLOR_MODE, IDC_ROTATE, IDC_MERGE, IDC_WATERMARK}) window.Enable(id, unlocked);
  window.Enable(IDC_CROP_MODE, true);
}

}  // namespace capturewindow
