// The cell every thumbnail fills and the way one picture is fitted into it.
#include <gtest/gtest.h>

#include "thumbnails/ThumbnailGeometry.h"

using thumbnails::CellForClientWidth;
using thumbnails::LayoutFor;

namespace {

platform::Rect RectOf(int left, int top, int right, int bottom) {
  platform::Rect rect;
  rect.left = left;
  rect.top = top;
  rect.right = right;
  rect.bottom = bottom;
  return rect;
}

}  // namespace

TEST(ThumbnailCell, IsSixtyPixelsNarrowerThanTheListAndThreeQuartersAsHigh) {
  EXPECT_EQ(CellForClientWidth(150).width, 90);
  EXPECT_EQ(CellForClientWidth(150).height, 66);  // 90 / 4 = 22, times 3
  EXPECT_EQ(CellForClientWidth(190).height, 96);  // a width of 130
}

TEST(ThumbnailCell, KeepsAtLeastOnePixelInAVeryNarrowList) {
  for (int width : {0, 20, 60, 61, 63}) {
    const thumbnails::CellSize cell = CellForClientWidth(width);
    EXPECT_GE(cell.width, 1) << width;
    EXPECT_GE(cell.height, 1) << width;
  }
  EXPECT_EQ(CellForClientWidth(64).width, 4);
  EXPECT_EQ(CellForClientWidth(64).height, 3);
}

TEST(ThumbnailLayout, LandscapeTakesTheCellWidthThenShrinksToFitTheHeight) {
  const platform::ThumbnailLayout layout = LayoutFor({90, 66}, {4000, 3000});
  EXPECT_EQ(layout.cellWidth, 90);
  EXPECT_EQ(layout.cellHeight, 66);
  EXPECT_EQ(layout.scaledWidth, 90);
  EXPECT_EQ(layout.scaledHeight, 67);  // 67.5 truncated: one row too high
  // 66/67 of 90 x 67 is 88.66 x 66, centred.
  EXPECT_EQ(layout.placement, RectOf(1, 0, 89, 66));
}

TEST(ThumbnailLayout, PortraitTakesTheCellHeightAndIsCentredAcross) {
  const platform::ThumbnailLayout layout = LayoutFor({90, 66}, {3000, 4000});
  EXPECT_EQ(layout.scaledWidth, 49);
  EXPECT_EQ(layout.scaledHeight, 66);
  EXPECT_EQ(layout.placement, RectOf(20, 0, 69, 66));
}

TEST(ThumbnailLayout, SquarePictureFillsTheCellHeightCentred) {
  const platform::ThumbnailLayout layout = LayoutFor({90, 66}, {500, 500});
  EXPECT_EQ(layout.scaledWidth, 90);
  EXPECT_EQ(layout.scaledHeight, 90);
  EXPECT_EQ(layout.placement, RectOf(12, 0, 78, 66));
}

TEST(ThumbnailLayout, VeryLargePicturesDoNotOverflowTheArithmetic) {
  // 2000 x 3000000 exceeds 32 bits.
  const platform::ThumbnailLayout landscape = LayoutFor({2000, 1500}, {4000000, 3000000});
  EXPECT_EQ(landscape.scaledWidth, 2000);
  EXPECT_EQ(landscape.scaledHeight, 1500);
  EXPECT_EQ(landscape.placement, RectOf(0, 0, 2000, 1500));

  const platform::ThumbnailLayout portrait = LayoutFor({2000, 1500}, {3000000, 4000000});
  EXPECT_EQ(portrait.scaledWidth, 1125);
  EXPECT_EQ(portrait.scaledHeight, 1500);
}

TEST(ThumbnailLayout, ExtremeAspectKeepsOnePixelOfThePicture) {
  const platform::ThumbnailLayout wide = LayoutFor({90, 66}, {4000000000u, 1});
  EXPECT_EQ(wide.scaledWidth, 90);
  EXPECT_EQ(wide.scaledHeight, 1);
  EXPECT_EQ(wide.placement, RectOf(0, 32, 90, 33));

  const platform::ThumbnailLayout tall = LayoutFor({90, 66}, {1, 4000000000u});
  EXPECT_EQ(tall.scaledWidth, 1);
  EXPECT_EQ(tall.scaledHeight, 66);
  EXPECT_EQ(tall.placement, RectOf(44, 0, 45, 66));
}

TEST(ThumbnailLayout, OnePixelCellHoldsAnyPicture) {
  const platform::ThumbnailLayout layout = LayoutFor({1, 1}, {4000, 3000});
  EXPECT_EQ(layout.scaledWidth, 1);
  EXPECT_EQ(layout.scaledHeight, 1);
  EXPECT_EQ(layout.placement, RectOf(0, 0, 1, 1));
}
