// capturewindow/ImageOptions.h: the options that shape every picture
// (colour 1004, crop 1005, hand crop 1101, edge fill 1108, file format 1006,
// auto-capture mode 1095) and the preview row (zoom, 1:1, best fit,
// rotation 1026, autofocus, the library's settings windows). Owns the crop
// mode remembered while hand cropping, and the lock a stored crop mode of 4
// puts on the options that cannot go with it.
#pragma once

#include "context/CaptureContext.h"

namespace capturewindow {

class ImageOptions {
 public:
  explicit ImageOptions(CaptureContext& context);

  // Start-up: the crop mode to go back to after hand cropping is the saved one.
  void Restore(const settings::SessionSettings& saved);
  // A stored crop mode of 4 (the list offers 0 to 2, so only a settings file
  // holds it) locks colour, rotation, merge and watermark.
  bool IsCropLocked() const { return context_.settings.cutType == 4; }
  // Enables the locked controls exactly when there is no lock; the crop
  // list itself stays enabled.
  void ApplyCropLock();

  int CropModeBeforeHandCrop() const { return cropModeBeforeHandCrop_; }

 private:
  CaptureContext& context_;
  int cropModeBeforeHandCrop_ = 0;
};

}  // namespace capturewindow
