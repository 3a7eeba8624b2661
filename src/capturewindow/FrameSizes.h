// capturewindow/FrameSizes.h: the video formats, frame sizes, unit and DPI
// lists of the open cameras (lists 1020, 1021, 1098, 1016 and label 1080).
// Owns the label table, the DPI list, one native DPI record per listed
// device and the rows behind the two frame-size lists; the rows themselves
// are worked out by FrameSizeRows.
#pragma once

#include <vector>

#include "capturewindow/FrameSizeRows.h"
#include "context/CaptureContext.h"

namespace capturewindow {

class FrameSizes {
 public:
  explicit FrameSizes(CaptureContext& context);

  // The fixed tables, built once the camera library is up.
  void BuildTables();
  // A zeroed native record for every device of a list of `count`; records
  // are never dropped, so record i exists for every device i listed so far.
  void KeepNativeRecords(int count);
  // The unit list for the main camera `device`, just opened: pixel sizes,
  // and DPI values when the camera reports a DPI of its own.
  void ShowUnitsFor(int device);

  // The main camera's video formats (1020), the current one selected.
  void FillVideoFormats();
  // The main camera's frame sizes (1021) in the selected unit, with the
  // saved choice selected and sent to the camera.
  void FillResolutions();
  // The secondary camera's frame sizes (1016), the current one selected.
  void FillSecondaryResolutions();

  // Change handlers.
  void OnResolutionChange();           // 1021
  void OnVideoFormatChange();          // 1020
  void OnUnitChange();                 // 1098
  void OnSecondaryResolutionChange();  // 1016

  const std::vector<ResolutionLabel>& ResolutionLabels() const { return resolutionLabels_; }
  const std::vector<int>& DpiList() const { return dpiList_; }
  // The native record of a listed device, or null.
  const NativeDpiRecord* NativeRecord(int device) const;
  // The rows behind 1021, row for row.
  const std::vector<ResolutionEntry>& ResolutionRows() const { return resolutionRows_; }

 private:
  // The frame size and DPI the device reports with no DPI override; zero
  // where the library did not answer.
  void ReadNativeDpi(int device);
  // The first `count` sizes the main camera reports for `mediaType`, in its
  // order.
  std::vector<ResolutionEntry> ReadMainSizes(int mediaType, int count);
  // Sends the filling's choice to the camera; results are not checked.
  void ApplyChoice(const RowChoice& choice);
  // Shows a list as the UI text `key` says.
  void ApplyFlags(int controlId, localisation::UiText key);

  CaptureContext& context_;
  std::vector<ResolutionLabel> resolutionLabels_;
  std::vector<int> dpiList_;
  std::vector<NativeDpiRecord> nativeDpiRecords_;
  std::vector<ResolutionEntry> resolutionRows_;
  std::vector<ResolutionEntry> secondaryRows_;
  int secondaryFormat_ = 0;
};

}  // namespace capturewindow
