#include "capturewindow/Accessibility.h"

#include "resource.h"

namespace capturewindow {
namespace {

using localisation::UiText;

// A foot pedal sends Space unless told otherwise, and Space is one key a
// hand finds without looking.
constexpr int kCaptureKey = platform::kKeySpace;

struct SymbolButton {
  int controlId;
  UiText description;
};

// Their captions are symbols, which a screen reader would read as such.
constexpr SymbolButton kSymbolButtons[] = {
    {IDC_ZOOM_IN, UiText::ZoomIn},
    {IDC_ZOOM_OUT, UiText::ZoomOut},
    {IDC_ORIGINAL_SIZE, UiText::ActualSize},
};

}  // namespace

Accessibility::Accessibility(CaptureContext& context) : context_(context) {}

const std::vector<int>& Accessibility::TabOrder() {
  // Controls the window hides stay at their place in the column: Tab skips
  // them while they are hidden.
  static const std::vector<int> order = {
      IDC_COLOR_MODE, IDC_CROP_MODE, IDC_FILE_FORMAT, IDC_AUTO_CAPTURE_MODE, IDC_FILL_BORDER,
      IDC_HAND_CROP, IDC_MERGE, IDC_MERGE_VERTICAL, IDC_MERGE_HORIZONTAL, IDC_MEDIA_TYPE,
      IDC_SECONDARY_CAPTURE, IDC_AUTO_CAPTURE, IDC_SAVE, IDC_SECONDARY_CAMERA,
      IDC_SECONDARY_DEVICE, IDC_MERGE_SETTINGS, IDC_AUTO_FOCUS, IDC_SECONDARY_FRAME_SIZE,
      IDC_WATERMARK, IDC_WATERMARK_SETTINGS, IDC_IMAGE_SETTINGS, IDC_DEVICE_SETTINGS,
      IDC_SECONDARY_MERGE,
      IDC_ZOOM_IN, IDC_ZOOM_OUT, IDC_ORIGINAL_SIZE, IDC_BEST_FIT, IDC_ROTATE,
      IDC_DEVICE, IDC_UNIT, IDC_FRAME_SIZE, IDC_LANGUAGE,
      IDC_THUMBNAILS, IDC_EXIT, IDC_CAPTURE};
  return order;
}

void Accessibility::Install() {
  platform::Window& window = context_.Controls();
  // Space on a push button would press that button and on a check box
  // toggle it: in this window it presses Capture instead, wherever the
  // focus is, so that a pedal works whatever was clicked last. Only typing
  // in an edit field keeps the key, and other dialogs are not affected.
  window.SetClickKey(kCaptureKey, IDC_CAPTURE);
  window.SetTabOrder(TabOrder());
}

void Accessibility::ApplyTexts(platform::Window* livePicture) {
  platform::Window& window = context_.Controls();
  for (const SymbolButton& button : kSymbolButtons) {
    const std::u16string& text = context_.Text(button.description);
    window.SetToolTip(button.controlId, text);
    window.SetAccessibleName(button.controlId, text);
  }
  window.SetToolTip(IDC_CAPTURE, context_.Text(UiText::CaptureKey));
  window.SetAccessibleName(IDC_PREVIEW_AREA, context_.Text(UiText::LivePicture));
  if (livePicture != nullptr) {
    livePicture->SetToolTip(platform::kWholeWindow, context_.Text(UiText::LivePicture));
    livePicture->SetAccessibleName(platform::kWholeWindow, context_.Text(UiText::LivePicture));
  }
}

}  // namespace capturewindow
