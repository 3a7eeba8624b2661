#include "capturewindow/ImageOptions.h"

#include "resource.h"

namespace capturewindow {
namespace {

using localisation::UiText;

constexpr int kCropNone = 0;
constexpr int kCropMultiple = 2;

struct ColorModeCall {
  int32_t style;
  int32_t adjustment;
};

// Colour, grey, black and white for documents, black and white.
constexpr ColorModeCall kColorModes[] = {{0, 0}, {1, 3}, {2, 1}, {2, 4}};
constexpr int kColorModeCount = sizeof kColorModes / sizeof kColorModes[0];

}  // namespace

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

// A list without a selection (a stored index the list does not offer)
// sends nothing: the library keeps what it has rather than being handed -1.
void ImageOptions::OnColorModeChange() {
  const int mode = context_.Controls().Selection(IDC_COLOR_MODE);
  if (mode < 0 || mode >= kColorModeCount) return;
  (void)context_.camera.camSetImageColorStyle(MainDevice(), kColorModes[mode].style);
  (void)context_.camera.camSetImageAdjust(MainDevice(), kColorModes[mode].adjustment);
}

void ImageOptions::OnCropModeChange() {
  const int mode = context_.Controls().Selection(IDC_CROP_MODE);
  if (mode < 0) return;
  (void)context_.camera.camSetImageAutoCrop(MainDevice(), mode);
  if (mode == kCropMultiple) context_.window.CheckAndRun(IDC_MERGE, false);
}

void ImageOptions::OnHandCropChange() {
  platform::Window& window = context_.Controls();
  const bool checked = window.IsChecked(IDC_HAND_CROP);
  if (!handCropOn_) cropModeBeforeHandCrop_ = window.Selection(IDC_CROP_MODE);
  handCropOn_ = checked;
  if (checked) {
    (void)context_.camera.camSetImageCusCropRect(MainDevice(), 0, 0, 100, 100);
    context_.window.SetSelectionAndRun(IDC_CROP_MODE, kCropNone);
    context_.settings.HandCut = 1;
  } else {
    (void)context_.camera.camSetImageCusCropRect(MainDevice(), 0, 0, 0, 0);
    context_.window.SetSelectionAndRun(IDC_CROP_MODE, cropModeBeforeHandCrop_);
    context_.settings.HandCut = 0;
  }
}

void ImageOptions::OnEdgeFillChange() {
  const bool checked = context_.Controls().IsChecked(IDC_FILL_BORDER);
  (void)context_.camera.camSetImageFillBorder(MainDevice(), checked ? 1 : 0);
  context_.settings.EdgeBorder = checked ? 1 : 0;
}

void ImageOptions::OnAutoCaptureModeChange() {
  const int mode = context_.Controls().Selection(IDC_AUTO_CAPTURE_MODE);
  context_.Controls().SetText(IDC_CAPTURE,
                              context_.Text(mode == 0 ? UiText::Capture : UiText::AutoCapture));
}

void ImageOptions::OnZoomIn() { (void)context_.camera.camZooIn(MainDevice()); }
void ImageOptions::OnZoomOut() { (void)context_.camera.camZoomOut(MainDevice()); }
void ImageOptions::OnOriginalSize() { (void)context_.camera.camOriginalPreview(MainDevice()); }
void ImageOptions::OnBestFit() { (void)context_.camera.camOptimalPreview(MainDevice()); }

void ImageOptions::OnRotationChange() {
  const int rotation = context_.Controls().Selection(IDC_ROTATE);
  if (rotation < 0) return;
  (void)context_.camera.camSetImageRotateMode(MainDevice(), rotation);
}

void ImageOptions::OnAutoFocus() {
  if (context_.camera.camAutoFocus(MainDevice(), 0) != 0) context_.ShowMessage(UiText::Error);
}

void ImageOptions::OnDeviceSettings() {
  (void)context_.camera.camShowDevSettingWindow(MainDevice());
}

void ImageOptions::OnImageSettings() {
  (void)context_.camera.camShowImageSettingWindow(MainDevice());
}

}  // namespace capturewindow
