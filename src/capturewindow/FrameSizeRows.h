// The rows of the frame-size lists, worked out from what the camera library
// reports: the fixed tables the capture window builds at start-up and the
// record it keeps per device. Pure functions, no controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace capturewindow {

// A well-known frame size and its name.
struct ResolutionLabel {
  int width;
  int height;
  std::u16string label;
};

// The frame size a device reported, and its DPI there with no override.
struct NativeDpiRecord {
  int32_t width = 0;
  int32_t height = 0;
  int32_t horizontalDpi = 0;
  int32_t verticalDpi = 0;
};

// Largest first; the first row is also the size above which frame sizes
// pass without a label.
std::vector<ResolutionLabel> MakeResolutionLabelTable();
// The DPI values offered in the DPI unit.
std::vector<int> MakeDpiList();

}  // namespace capturewindow
