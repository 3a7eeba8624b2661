// capturewindow/FrameSizes.h: the video formats, frame sizes, unit and DPI
// lists of the open cameras (lists 1020, 1021, 1098, 1016 and label 1080).
// Owns the label table, the DPI list and one native DPI record per listed
// device; the rows themselves come from FrameSizeRows.
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
  // One zeroed native record per device the library lists; records are
  // never dropped, so record i exists for every device i listed so far.
  void AppendNativeRecord();
  // The unit list for the main camera `device`, just opened: pixel sizes,
  // and DPI values when the camera reports a DPI of its own (neither 0 nor
  // the usual 96).
  void ShowUnitsFor(int device);

  const std::vector<ResolutionLabel>& ResolutionLabels() const { return resolutionLabels_; }
  const std::vector<int>& DpiList() const { return dpiList_; }
  // The native record of a listed device, or null.
  const NativeDpiRecord* NativeRecord(int device) const;

 private:
  // The frame size and DPI the device reports with no DPI override.
  void ReadNativeDpi(int device);

  CaptureContext& context_;
  std::vector<ResolutionLabel> resolutionLabels_;
  std::vector<int> dpiList_;
  std::vector<NativeDpiRecord> nativeDpiRecords_;
};

}  // namespace capturewindow
