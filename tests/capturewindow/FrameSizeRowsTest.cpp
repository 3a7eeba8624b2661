// The rows of the frame-size lists worked out from what a camera reports,
// without a window: labels and the filter, the DPI rows, the believed
// counts and the rules that pick a row. Expected rows are worked out by hand
// in the comments.
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

TEST(FrameSizeRows, PixelRowsCarryTheirLabelAndOnlyLargeUnknownSizesStay) {
  const Rows rows = LabelAndFilter(
      CameraSizes({{640, 480}, {1280, 720}, {2592, 1944}, {1000, 1000}, {6000, 4500}}),
      MakeResolutionLabelTable());
  EXPECT_EQ(Texts(rows, kUnitPixels),
            (std::vector<std::u16string>{u"640x480(VGA)", u"1280x720(HD-720)", u"2592x1944(5MP)",
                                         u"6000x4500"}));
  // The library's index of each size is kept: 1000 x 1000 (index 3) is gone.
  EXPECT_EQ(rows[3].index, 4);
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

TEST(FrameSizeRows, ASmallestFirstListBindsEveryDpiToItsFirstSize) {
  // The reference document camera: 30 DPI at 640 pixels. Its first sizes
  // (30, 37, 46, 48 and 60 DPI) fall short of 300, 260, 250, 200 and 100 in
  // turn, which ends the walk.
  NativeDpiRecord native;
  native.width = 640;
  native.horizontalDpi = 30;
  const Rows sizes = CameraSizes({{640, 480}, {800, 600}, {1000, 1000}, {1024, 768},
                                  {1280, 720}, {1920, 1080}, {2592, 1944}, {3264, 2448},
                                  {6400, 4800}});
  EXPECT_EQ(Bound(DpiRows(sizes, MakeDpiList(), native)),
            (std::vector<std::string>{"640x480@300#0", "640x480@260#0", "640x480@250#0",
                                      "640x480@200#0", "640x480@100#0"}));
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

TEST(FrameSizeRows, TheDpiUnitNeedsADpiOtherThanZeroAndTheUsual96AndAWidth) {
  const auto offered = [](int32_t width, int32_t dpi) {
    NativeDpiRecord native;
    native.width = width;
    native.horizontalDpi = dpi;
    return OffersDpiUnit(native);
  };
  EXPECT_TRUE(offered(640, 30));
  EXPECT_TRUE(offered(640, 97));
  EXPECT_FALSE(offered(640, 96));
  EXPECT_FALSE(offered(640, 0));
  EXPECT_FALSE(offered(640, -30));
  EXPECT_FALSE(offered(0, 300));
  EXPECT_FALSE(offered(-640, 300));
}

TEST(FrameSizeRows, CountsBelowZeroAreNoneAndLargeOnesAreCut) {
  EXPECT_EQ(PlausibleCount(-1), 0);
  EXPECT_EQ(PlausibleCount(-2147483647 - 1), 0);
  EXPECT_EQ(PlausibleCount(0), 0);
  EXPECT_EQ(PlausibleCount(9), 9);
  EXPECT_EQ(PlausibleCount(256), 256);
  EXPECT_EQ(PlausibleCount(257), 256);
  EXPECT_EQ(PlausibleCount(2147483647), 256);
}

TEST(FrameSizeRows, TheSavedSizeIsSelectedAsItIsElseTheFirstRowIsApplied) {
  const Rows rows = CameraSizes({{640, 480}, {1280, 720}, {1280, 720}, {1920, 1080}});
  const RowChoice saved = ChoosePixelRow(rows, 1280, 720);
  EXPECT_EQ(saved.row, 2);  // the last row of that size
  EXPECT_FALSE(saved.setSize);
  EXPECT_FALSE(saved.setDpi);
  const RowChoice other = ChoosePixelRow(rows, 800, 600);
  EXPECT_EQ(other.row, 0);
  EXPECT_TRUE(other.setSize);
  EXPECT_EQ(ChoosePixelRow({}, 0, 0).row, -1);
}

TEST(FrameSizeRows, TheSavedDpiOrElseTheThirdRowIsApplied) {
  Rows rows = CameraSizes({{2400, 1800}, {2080, 1560}, {2600, 1950}, {2600, 1950}, {800, 600}});
  const int dpis[] = {300, 260, 250, 200, 100};
  for (size_t i = 0; i < rows.size(); ++i) rows[i].dpi = dpis[i];

  const RowChoice saved = ChooseDpiRow(rows, 200, 800, 600);
  EXPECT_EQ(saved.row, 3);
  EXPECT_TRUE(saved.setDpi);
  EXPECT_TRUE(saved.setSize);
  const RowChoice unknown = ChooseDpiRow(rows, 123, 2600, 1950);
  EXPECT_EQ(unknown.row, 2);
  EXPECT_TRUE(unknown.setDpi);
  EXPECT_FALSE(unknown.setSize);  // the camera already runs at that size
  EXPECT_EQ(ChooseDpiRow({}, 200, 0, 0).row, -1);
}

TEST(FrameSizeRows, TextsOfEachUnit) {
  ResolutionEntry row;
  row.width = 2592;
  row.height = 1944;
  row.dpi = 250;
  EXPECT_EQ(RowText(row, kUnitPixels), u"2592x1944");
  row.label = u"5MP";
  EXPECT_EQ(RowText(row, kUnitPixels), u"2592x1944(5MP)");
  EXPECT_EQ(RowText(row, kUnitDpi), u"250");
  EXPECT_EQ(RowText(row, -1), u"");
  EXPECT_EQ(RowText(row, 2), u"");
  EXPECT_EQ(SecondaryRowText(1280, 720), u"1280 x 720");
}

TEST(FrameSizeRows, TheSecondaryListSelectsTheLastRowOfTheCurrentSizeElseTheFirst) {
  const Rows rows = CameraSizes({{640, 480}, {1280, 720}, {640, 480}});
  EXPECT_EQ(ChooseSecondaryRow(rows, 640, 480), 2);
  EXPECT_EQ(ChooseSecondaryRow(rows, 1280, 720), 1);
  EXPECT_EQ(ChooseSecondaryRow(rows, 320, 240), 0);
  EXPECT_EQ(ChooseSecondaryRow({}, 640, 480), -1);
}

}  // namespace
}  // namespace capturewindow
