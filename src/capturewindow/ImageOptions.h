// capturewindow/ImageOptions.h: the options that shape every picture
// (colour 1004, crop 1005, hand crop 1101, edge fill 1108, file format 1006,
// auto-capture mode 1095) and the preview row (zoom 1018/1023, 1:1 1024,
// best fit 1025, rotation 1026, autofocus 1107, the library's settings
// windows 1012/1013). Each handler sends its choice to the main camera at
// once, so a capture needs no option calls. Owns the crop mode remembered
// while hand cropping, and the lock a stored crop mode of 4 puts on the
// options that cannot go with it.
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

  // Selection change of 1004: colour style and adjustment.
  void OnColorModeChange();
  // Selection change of 1005: the crop mode; multiple crop ends the
  // two-picture merge, which cannot join several pictures.
  void OnCropModeChange();
  // Click of 1101: a full custom rectangle instead of automatic cropping
  // while checked; the crop mode from before comes back when unchecked.
  void OnHandCropChange();
  // Click of 1108: edge filling on or off.
  void OnEdgeFillChange();
  // Selection change of 1095: the Capture button says whether it captures
  // one picture or starts auto capture.
  void OnAutoCaptureModeChange();

  // The preview row, each for the main camera.
  void OnZoomIn();
  void OnZoomOut();
  void OnOriginalSize();
  void OnBestFit();
  void OnRotationChange();
  void OnAutoFocus();
  void OnDeviceSettings();
  void OnImageSettings();

  int CropModeBeforeHandCrop() const { return cropModeBeforeHandCrop_; }

 private:
  int MainDevice() const { return context_.window.MainDeviceIndex(); }

  CaptureContext& context_;
  int cropModeBeforeHandCrop_ = 0;
  // Whether hand cropping was on when its handler last ran: running the
  // handler again for the same state (a device change restores the check)
  // keeps the remembered crop mode and the crop list as they are.
  bool handCropOn_ = false;
};

}  // namespace capturewindow
