// The rows of the frame-size lists, worked out from what the camera library
// reports: the fixed tables the capture window builds at start-up, the
// record it keeps per device, the labelling and filtering of pixel sizes,
// the DPI rows and the rules that choose a row. Pure functions, no controls.
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

// One row of a frame-size list: a size the library reported (its index in
// the library's list of that video format), and in the DPI unit the DPI the
// row stands for.
struct ResolutionEntry {
  int width = 0;
  int height = 0;
  int index = 0;
  int mediaType = 0;
  int dpi = 0;  // 0 in the pixel unit
  std::u16string label;
};

// Index of the unit list's items.
constexpr int kUnitPixels = 0;
constexpr int kUnitDpi = 1;
// The DPI row chosen when the saved DPI is none of the list's.
constexpr int kDefaultDpiRow = 2;
// More devices, formats or sizes than this are not believed.
constexpr int kMaxListedCount = 256;

// Largest first; the first row is also the size above which frame sizes
// pass without a label.
std::vector<ResolutionLabel> MakeResolutionLabelTable();
// The DPI values offered in the DPI unit.
std::vector<int> MakeDpiList();

// A count reported by the library, as far as it is believed: a negative
// count is none, a count past kMaxListedCount is cut to it.
int PlausibleCount(int32_t reported);

// The DPI unit is offered for a camera with a DPI of its own (neither 0 nor
// the usual 96) at a known frame width; without the width no DPI row can be
// worked out.
bool OffersDpiUnit(const NativeDpiRecord& native);

// Pixel unit: each size takes the label of the first table row of the same
// size; unlabelled sizes stay only when they exceed the table's first row
// in both directions. The order is kept.
std::vector<ResolutionEntry> LabelAndFilter(const std::vector<ResolutionEntry>& read,
                                            const std::vector<ResolutionLabel>& labels);

// DPI unit: one row per DPI value, each bound to a camera size by a walk
// over the camera's sizes in the library's order (sizes are expected
// largest first). The effective DPI of a size is the native DPI scaled by
// its width over the native width. Empty without camera sizes or without a
// native width.
std::vector<ResolutionEntry> DpiRows(const std::vector<ResolutionEntry>& cameraSizes,
                                     const std::vector<int>& dpiList,
                                     const NativeDpiRecord& native);

// The text of a row of the main list: "%dx%d(%s)" or "%dx%d" in the pixel
// unit, "%d" with the DPI in the DPI unit, empty in any other unit.
std::u16string RowText(const ResolutionEntry& row, int unit);
// The text of a row of the secondary camera's list: "%d x %d".
std::u16string SecondaryRowText(int width, int height);

// What filling the main list selects and sends to the camera.
struct RowChoice {
  int row = -1;            // -1: nothing selected
  bool setSize = false;    // camSetResolution with the row's size
  bool setDpi = false;     // camSetImageDPI with the row's DPI
};
// Pixel unit: the last row of the saved size, applied already; otherwise
// row 0, whose size is applied. Nothing for an empty list.
RowChoice ChoosePixelRow(const std::vector<ResolutionEntry>& rows, int savedWidth,
                         int savedHeight);
// DPI unit: the first row of the saved DPI, else kDefaultDpiRow; its DPI is
// applied, and its size when it differs from the saved one. Nothing when
// the list has no such row.
RowChoice ChooseDpiRow(const std::vector<ResolutionEntry>& rows, int savedDpi, int savedWidth,
                       int savedHeight);
// The secondary list: the last row of the current size, else row 0; -1
// for an empty list.
int ChooseSecondaryRow(const std::vector<ResolutionEntry>& rows, int currentWidth,
                       int currentHeight);

}  // namespace capturewindow
