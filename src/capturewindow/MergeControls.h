// capturewindow/MergeControls.h: the two merges on the capture window. The
// two-picture merge: check box 1007, direction radios 1008/1009 and the
// merge preview floating over the live picture. The secondary-camera merge:
// check box 1073, the options button 1017 and the options it edits
// (MergeType, MergePosition). The two merges never run together, and the
// two-picture merge never runs with multiple crop.
#pragma once

#include "capture/CapturePipeline.h"
#include "capture/TwoPictureMerge.h"
#include "context/CaptureContext.h"
#include "dialogs/CMergeOptionDlg.h"
#include "dialogs/CMergePreviewDlg.h"

namespace capturewindow {

class MergeControls {
 public:
  MergeControls(CaptureContext& context, const capture::TwoPictureMerge& pair);

  // Start-up: the merge preview exists from the start, hidden.
  void CreatePreview();
  void DestroyPreview() { preview_.Destroy(); }
  void HidePreview() { preview_.Hide(); }

  // Click of 1007: the preview and the direction radios follow the box;
  // switching it on ends the secondary-camera merge and multiple crop.
  void OnMergeChange();
  // Clicks of 1008 and 1009: the preview moves over the live picture for
  // that direction, its panes are laid out and it is shown.
  void OnHorizontalChosen();
  void OnVerticalChosen();
  // While the capture window moves, the preview stays over the lower part
  // of the live picture, placed for the checked direction, whether shown
  // or not.
  void KeepPreviewOverPicture();
  // After a change of DPI: the preview placed for the checked direction
  // and its panes laid out again, without showing or hiding it.
  void LayOutPreviewAgain();

  // Click of 1073: the options button follows the box; switching it on
  // ends the two-picture merge.
  void OnSecondaryMergeChange();
  // Click of 1017: the options dialog on a copy of the options; OK keeps
  // what it shows, Cancel changes nothing.
  void OnMergeOptions();

  // The saved secondary-camera merge options.
  void Restore(const settings::SessionSettings& saved);
  // The direction radios and the merge options, for the settings file.
  void Collect(settings::SessionSettings& record) const;
  // The enabled states that follow the merge check box: the preview shows
  // and the direction radios are enabled while it is checked and the crop
  // mode does not lock it; the colour list is disabled while a pair waits
  // for its second picture.
  void ApplyEnableStates(bool cropLocked);

  int MergeType() const { return options_.MergeType; }
  int MergePosition() const { return options_.MergePosition; }
  platform::Window* Preview() const { return preview_.Window(); }
  CMergePreviewDlg& PreviewDialog() { return preview_; }
  const CMergePreviewDlg& PreviewDialog() const { return preview_; }
  // What a shot needs of the merges: the preview that shows a pair and the
  // secondary-camera merge options.
  capture::MergeView ForCapture() { return {preview_, options_}; }

 private:
  void PlacePreview(dialogs::MergeDirection direction, bool layOutPanes);

  CaptureContext& context_;
  const capture::TwoPictureMerge& pair_;
  CMergePreviewDlg preview_;
  MergeOptions options_;
};

}  // namespace capturewindow
