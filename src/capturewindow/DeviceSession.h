// capturewindow/DeviceSession.h: the cameras the library reports. Owns the
// device lists (1019, 1015), the secondary camera check box (1014) with its
// capture button (1102), the open main and secondary camera and the two
// windows their live pictures are drawn into.
#pragma once

#include "capturewindow/ChildWindows.h"
#include "capturewindow/FrameSizes.h"
#include "context/CaptureContext.h"

namespace capturewindow {

class DeviceSession {
 public:
  DeviceSession(CaptureContext& context, FrameSizes& frameSizes);

  // The host of the main camera's live picture, laid over the placeholder
  // at `area` (client coordinates of the capture window) and shown.
  void CreateMainPreviewHost(const platform::Rect& area);
  // The host of the secondary camera's picture, over the top-right third of
  // `area`, hidden until the secondary camera is switched on.
  void CreateSecondaryPreviewHost(const platform::Rect& area);
  // Both hosts over `area` again, as when they were created (after the
  // window was laid out for another DPI).
  void PlacePreviewHosts(const platform::Rect& area);
  void DestroyMainPreviewHost() { mainPreviewHost_.Destroy(); }
  void HideMainPreviewHost() { mainPreviewHost_.Hide(); }
  void HideSecondaryPreviewHost() { secondaryPreviewHost_.Hide(); }
  void DestroySecondaryPreviewHost() { secondaryPreviewHost_.Destroy(); }

  // Lists the library's cameras in both device lists, with a native DPI
  // record each; shows the window when there is none. Returns the count.
  int ListDevices();
  // Selection change of 1019: closes the main camera and opens the chosen
  // one, then lists its units, formats and frame sizes.
  void OnMainDeviceChange();
  // Click of 1014: opens the first camera that is not the main one as the
  // secondary camera, or closes it.
  void OnSecondaryCameraToggle();
  // Selection change of 1015: opens the chosen camera as the secondary one.
  void OnSecondaryDeviceChange();
  // The refresh's step for the secondary camera: the check box takes the
  // saved state when `restoreSelections`, and otherwise keeps its check;
  // with two cameras or more it is usable and its handler runs, with fewer
  // it is disabled and nothing of the secondary camera is shown.
  void RefreshSecondaryCamera(bool restoreSelections);
  // After the library restarted its devices: nothing is open any more.
  void ForgetOpenDevices();
  // The secondary camera's controls follow its check box (1014) while there
  // are two cameras: its device and frame-size lists, the merge check box and
  // the merge options button. Merging also needs no crop lock.
  void ApplySecondaryEnableStates(bool cropLocked);

  int MainDeviceIndex() const { return mainDeviceIndex_; }
  int SecondaryDeviceIndex() const { return secondaryDeviceIndex_; }
  platform::Window* MainPreviewHost() const { return mainPreviewHost_.Window(); }
  platform::Window* SecondaryPreviewHost() const { return secondaryPreviewHost_.Window(); }

 private:
  // The window handle the library draws a camera into; 0 without a host.
  static int32_t HandleOf(const ChildWindow& host);

  CaptureContext& context_;
  FrameSizes& frameSizes_;
  ChildWindow mainPreviewHost_;
  ChildWindow secondaryPreviewHost_;
  int mainDeviceIndex_ = -1;
  int secondaryDeviceIndex_ = -1;
};

}  // namespace capturewindow
