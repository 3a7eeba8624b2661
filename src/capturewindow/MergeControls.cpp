#include "capturewindow/MergeControls.h"

#include <utility>

#include "resource.h"

namespace capturewindow {
namespace {

using dialogs::MergeDirection;

constexpr int kCropSingle = 1;
constexpr int kCropMultiple = 2;

}  // namespace

MergeControls::MergeControls(CaptureContext& context, const capture::TwoPictureMerge& pair)
    : context_(context), pair_(pair), preview_(context.platform) {}

void MergeControls::CreatePreview() {
  if (!preview_.Create(&context_.Controls())) return;
  preview_.SetDpiChangeHandler([this] { LayOutPreviewAgain(); });
}

void MergeControls::OnMergeChange() {
  platform::Window& window = context_.Controls();
  const bool on = window.IsChecked(IDC_MERGE);
  if (platform::Window* preview = preview_.Window()) preview->Show(on);
  window.Enable(IDC_MERGE_HORIZONTAL, on);
  window.Enable(IDC_MERGE_VERTICAL, on);
  // The colour of a pair is that of its first picture: while the first
  // waits, the colour cannot change.
  if (!on) {
    window.Enable(IDC_COLOR_MODE, true);
  } else if (pair_.IsWaitingForSecondPicture()) {
    window.Enable(IDC_COLOR_MODE, false);
  }
  if (!on) return;
  context_.window.CheckAndRun(IDC_SECONDARY_MERGE, false);
  if (window.Selection(IDC_CROP_MODE) == kCropMultiple) {
    (void)context_.window.SelectAndRun(IDC_CROP_MODE, kCropSingle);
  }
}

void MergeControls::OnHorizontalChosen() { PlacePreview(MergeDirection::Horizontal, true); }
void MergeControls::OnVerticalChosen() { PlacePreview(MergeDirection::Vertical, true); }

void MergeControls::PlacePreview(MergeDirection direction, bool layOutPanes) {
  platform::Window* preview = preview_.Window();
  if (preview == nullptr) return;
  const platform::Rect area = context_.Controls().ControlScreenRect(IDC_PREVIEW_AREA);
  preview->MoveTo(dialogs::MergePreviewPlacement(area, direction, context_.Controls().Dpi()));
  if (!layOutPanes) return;
  preview_.LayOutPanes(direction);
  preview->Show(true);
}

void MergeControls::LayOutPreviewAgain() {
  const platform::Window& window = context_.Controls();
  for (auto [id, direction] : {std::pair{IDC_MERGE_VERTICAL, MergeDirection::Vertical},
                               {IDC_MERGE_HORIZONTAL, MergeDirection::Horizontal}}) {
    if (!window.IsChecked(id)) continue;
    PlacePreview(direction, false);
    preview_.LayOutPanes(direction);
    return;
  }
}

void MergeControls::KeepPreviewOverPicture() {
  const platform::Window& window = context_.Controls();
  if (window.IsChecked(IDC_MERGE_VERTICAL)) {
    PlacePreview(MergeDirection::Vertical, false);
  } else if (window.IsChecked(IDC_MERGE_HORIZONTAL)) {
    PlacePreview(MergeDirection::Horizontal, false);
  }
}

void MergeControls::OnSecondaryMergeChange() {
  platform::Window& window = context_.Controls();
  const bool on = window.IsChecked(IDC_SECONDARY_MERGE);
  window.Enable(IDC_MERGE_SETTINGS, on);
  if (on) context_.window.CheckAndRun(IDC_MERGE, false);
}

void MergeControls::OnMergeOptions() {
  CMergeOptionDlg dialog(context_.texts);
  dialog.options = options_;
  if (context_.platform.ui.RunModal(IDD_MERGE_OPTIONS, dialog, &context_.Controls()) ==
      platform::kIdOk) {
    options_ = dialog.options;
  }
}

void MergeControls::Restore(const settings::SessionSettings& saved) {
  options_.MergeType = saved.Webcam.MergeType;
  options_.MergePosition = saved.Webcam.MergePosition;
}

void MergeControls::Collect(settings::SessionSettings& record) const {
  const platform::Window& window = context_.Controls();
  if (window.IsChecked(IDC_MERGE_HORIZONTAL)) record.MergeHV.direction = 1;
  if (window.IsChecked(IDC_MERGE_VERTICAL)) record.MergeHV.direction = 2;
  record.Webcam.MergeType = options_.MergeType;
  record.Webcam.MergePosition = options_.MergePosition;
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
