// The rows of the frame-size lists worked out from what a camera reports,
// without a window: shared labels, the filter's bounds and the DPI rows of
// largest-first cameras. Expected rows are worked out by hand in the
// comments; the window's tests show the rest through the lists.
#include <gtest/gtest.h>

#include "capturewindow/FrameSizeRows.h"

namespace capturewindow {
namespace {

using Rows = std::vector<ResolutionEntry>;

// The sizes as the library lists them, index by index, in video format 0.
Rows CameraSizes(std::initializer_list<std::pair<int, int>> sizes) {
  Rows rows;
  for (auto [width, height] : sizes) {
    ResolutionEntry entry;
    entry.width = width;
    entry.height = height;
    entry.index = static_cast<int>(rows.size());
    rows.push_back(entry);
  }
  return rows;
}

std::vector<std::u16string> Texts(const Rows& rows, int unit) {
  std::vector<std::u16string> texts;
  for (const ResolutionEntry& row : rows) texts.push_back(RowText(row, unit));
  return texts;
}

// "WIDTHxHEIGHT@DPI" per row, for comparing whole DPI lists at a glance.
std::vector<std::string> Bound(const Rows& rows) {
  std::vector<std::string> bound;
  for (const ResolutionEntry& row : rows) {
    bound.push_back(std::to_string(row.width) + "x" + std::to_string(row.height) + "@" +
                    std::to_string(row.dpi) + "#" + std::to_string(row.index));
  }
  return bound;
}

TEST(FrameSizeRows, DifferentSizesCanShareALabel) {
  const Rows rows = LabelAndFilter(CameraSizes({{1024, 768}, {800, 600}, {3856, 2764},
                                                {3664, 2744}, {3264, 2448}, {3840, 2160}}),
                                   MakeResolutionLabelTable());
  EXPECT_EQ(Texts(rows, kUnitPixels),
            (std::vector<std::u16string>{u"1024x768(SVGA)", u"800x600(SVGA)", u"3856x2764(10MP)",
                                         u"3664x2744(10MP)", u"3264x2448(8MP)",
                                         u"3840x2160(8MP)"}));
}

TEST(FrameSizeRows, OnlySizesBeyondTheLargestLabelInBothDirectionsPassUnlabelled) {
  const Rows rows =
      LabelAndFilter(CameraSizes({{5376, 4032}, {5377, 4032}, {5376, 4033}, {5377, 4033}}),
                     MakeResolutionLabelTable());
  EXPECT_EQ(Texts(rows, kUnitPixels),
            (std::vector<std::u16string>{u"5376x4032(21MP)", u"5377x4033"}));
}

TEST(FrameSizeRows, DpiRowsBindEachDpiToTheLastSizeReachingItInALargestFirstList) {
  // Native: 100 DPI at 800 pixels, so a size of width w has w / 8 DPI.
  NativeDpiRecord native;
  native.width = 800;
  native.height = 600;
  native.horizontalDpi = 100;
  const Rows sizes = CameraSizes({{2600, 1950}, {2400, 1800}, {2200, 1650}, {2080, 1560},
                                  {2000, 1500}, {1800, 1350}, {1400, 1050}, {1000, 750},
                                  {800, 600}, {640, 480}});
  // Effective DPI 325, 300, 275, 260, 250, 225, 175, 125, 100, 80:
  //   300: 2600 (325) binds, 2400 (300) replaces it; 2200 (275) falls short.
  //   260: 2080 (260) binds; 2000 (250) falls short.
  //   250: 1800 (225) falls short.   200: 1400 (175) falls short.
  //   100: 1000 (125) binds, 800 (100) replaces it; 640 (80) ends the walk.
  // 250 and 200 keep the first size.
  EXPECT_EQ(Bound(DpiRows(sizes, MakeDpiList(), native)),
            (std::vector<std::string>{"2400x1800@300#1", "2080x1560@260#3", "2600x1950@250#0",
                                      "2600x1950@200#0", "800x600@100#8"}));
}

TEST(FrameSizeRows, DpiValuesLeftWhenTheSizesRunOutTakeTheLastSize) {
  // 180 DPI at 1200 pixels: 1600 has 240 DPI, 1200 has 180.
  NativeDpiRecord native;
  native.width = 1200;
  native.horizontalDpi = 180;
  const Rows sizes = CameraSizes({{1600, 1200}, {1200, 900}});
  // 300: 240 falls short. 260: 180 falls short. The sizes ran out with the
  // cursor on 250: 250, 200 and 100 take 1200 x 900.
  EXPECT_EQ(Bound(DpiRows(sizes, MakeDpiList(), native)),
            (std::vector<std::string>{"1600x1200@300#0", "1600x1200@260#0", "1200x900@250#1",
                                      "1200x900@200#1", "1200x900@100#1"}));
}

TEST(FrameSizeRows, NoDpiRowsWithoutANativeWidthOrWithoutSizes) {
  NativeDpiRecord noWidth;
  noWidth.horizontalDpi = 300;
  EXPECT_TRUE(DpiRows(CameraSizes({{640, 480}}), MakeDpiList(), noWidth).empty());
  NativeDpiRecord native;
  native.width = 640;
  native.horizontalDpi = 300;
  EXPECT_TRUE(DpiRows({}, MakeDpiList(), native).empty());
}

}  // namespace
}  // namespace capturewindow
