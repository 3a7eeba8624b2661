// capturewindow/MergeControls.h: the two merges on the capture window. The
// two-picture merge: check box 1007, direction radios 1008/1009 and the
// merge preview floating over the live picture. The secondary-camera merge:
// check box 1073, the options button 1017 and the options it edits
// (MergeType, MergePosition).
#pragma once

#include "capture/TwoPictureMerge.h"
#include "capturewindow/ChildWindows.h"
#include "context/CaptureContext.h"

namespace capturewindow {

class MergeControls {
 public:
  MergeControls(CaptureContext& context, const capture::TwoPictureMerge& pair);

  // Start-up: the merge preview exists from the start, hidden.
  void CreatePreview();
  void DestroyPreview() { preview_.Destroy(); }
  void HidePreview() { preview_.Hide(); }
  // While the capture window moves, the preview stays over the lower part
  // of the live picture, placed for the checked direction.
  void KeepPreviewOverPicture();

  // The saved secondary-camera merge options.
  void Restore(const settings::SessionSettings& saved);
  // The direction radios and the merge options, for the settings file.
  void Collect(settings::SessionSettings& record) const;
  // The enabled states that follow the merge check box: the preview shows
  // and the direction radios are enabled while it is checked and the crop
  // mode does not lock it; the colour list is disabled while a pair waits
  // for its second picture.
  void ApplyEnableStates(bool cropLocked);

  int MergeType() const { return mergeType_; }
  int MergePosition() const { return mergePosition_; }
  platform::Window* Preview() const { return preview_.Window(); }

 private:
  CaptureContext& context_;
  const capture::TwoPictureMerge& pair_;
  ChildWindow preview_;
  int mergeType_ = 0;
  int mergePosition_ = 2;
};

}  // namespace capturewindow
