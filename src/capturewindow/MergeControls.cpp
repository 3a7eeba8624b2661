#include "capturewindow/MergeControls.h"

#include "resource.h"

namespace capturewindow {

MergeControls::MergeControls(CaptureContext& context, const capture::TwoPictureMerge& pair)
    : context_(context), pair_(pair) {}

void MergeControls::CreatePreview() {
  if (preview_.Create(context_.platform.ui, IDD_MERGE_PREVIEW, &context_.Controls())) {
    preview_.Window()->Show(false);
  }
}

void MergeControls::KeepPreviewOverPicture() {
  platform::Window* preview = preview_.Window();
  if (preview == nullptr || !preview->IsVisible()) return;
  platform::Window& window = context_.Controls();
  const platform::Rect area = window.ControlScreenRect(IDC_PREVIEW_AREA);
  const int width = area.Width(), height = area.Height();
  if (window.IsChecked(IDC_MERGE_VERTICAL)) {
    preview->MoveTo({area.left + 2, area.top + height / 2, area.left + 2 + width / 3,
                     area.top + height / 2 + height / 2});
  } else if (window.IsChecked(IDC_MERGE_HORIZONTAL)) {
    preview->MoveTo({area.left + 2, area.top + (height / 3) * 2, area.left + 2 + width / 2,
                     area.top + (height / 3) * 2 + height / 3});
  }
}

void MergeControls::Restore(const settings::SessionSettings& saved) {
  mergeType_ = saved.Webcam.MergeType;
  mergePosition_ = saved.Webcam.MergePosition;
}

void MergeControls::Collect(settings::SessionSettings& record) const {
  const platform::Window& window = context_.Controls();
  if (window.IsChecked(IDC_MERGE_HORIZONTAL)) record.MergeHV.direction = 1;
  if (window.IsChecked(IDC_MERGE_VERTICAL)) record.MergeHV.direction = 2;
  record.Webcam.MergeType = mergeType_;
  record.Webcam.MergePosition = mergePosition_;
}

void MergeControls::ApplyEnableStates(bool cropLocked) {
  platform::Window& window = context_.Controls();
  const bool mergeOn = window.IsChecked(IDC_MERGE) && !cropLocked;
  if (platform::Window* preview = preview_.Window()) preview->Show(mergeOn);
  window.Enable(IDC_MERGE_HORIZONTAL, mergeOn);
  window.Enable(IDC_MERGE_VERTICAL, mergeOn);
  if (window.IsChecked(IDC_MERGE) && pair_.IsWaitingForSecondPicture()) {
    window.Enable(IDC_COLOR_MODE, false);
  }
}

}  // namespace capturewindow
