// Where the merge preview goes over the live picture, how its panes share
// it, and where a picture lands inside a pane.
#include <gtest/gtest.h>

#include "dialogs/MergePreviewLayout.h"
#include "platform/Imaging.h"

using dialogs::LayOutMergePanes;
using dialogs::MergeDirection;
using dialogs::MergePreviewPlacement;
using platform::FitPicture;
using platform::Rect;

TEST(MergePreviewPlacement, SideBySideTakesTheLowerThirdAndHalfTheWidth) {
  EXPECT_EQ(MergePreviewPlacement(Rect{100, 50, 1000, 650}, MergeDirection::Horizontal),
            (Rect{102, 450, 552, 650}));
  // Divisions truncate: 601 / 3 is 200, two thirds down is 400.
  EXPECT_EQ(MergePreviewPlacement(Rect{0, 0, 901, 601}, MergeDirection::Horizontal),
            (Rect{2, 400, 452, 600}));
}

TEST(MergePreviewPlacement, OneAboveTheOtherTakesTheLowerHalfAndAThirdOfTheWidth) {
  EXPECT_EQ(MergePreviewPlacement(Rect{100, 50, 1000, 650}, MergeDirection::Vertical),
            (Rect{102, 350, 402, 650}));
}

TEST(MergePanes, SideBySideShareTheWidthWithATenPixelGap) {
  const dialogs::MergePanes panes = LayOutMergePanes(450, 200, MergeDirection::Horizontal);
  EXPECT_EQ(panes.first, (Rect{6, 6, 220, 194}));
  EXPECT_EQ(panes.second, (Rect{230, 6, 444, 194}));
}

TEST(MergePanes, OneAboveTheOtherShareTheHeight) {
  const dialogs::MergePanes panes = LayOutMergePanes(300, 300, MergeDirection::Vertical);
  EXPECT_EQ(panes.first, (Rect{6, 6, 294, 145}));
  EXPECT_EQ(panes.second, (Rect{6, 155, 294, 294}));
}

TEST(MergePanes, TooLittleRoomGivesPanesWithoutSizeNeverANegativeOne) {
  for (MergeDirection direction : {MergeDirection::Horizontal, MergeDirection::Vertical}) {
    for (auto [width, height] : {std::pair{10, 5}, {0, 0}, {21, 21}, {-4, 30}}) {
      const dialogs::MergePanes panes = LayOutMergePanes(width, height, direction);
      for (const Rect& pane : {panes.first, panes.second}) {
        EXPECT_GE(pane.Width(), 0) << width << "x" << height;
        EXPECT_GE(pane.Height(), 0) << width << "x" << height;
      }
    }
  }
  const dialogs::MergePanes panes = LayOutMergePanes(10, 5, MergeDirection::Horizontal);
  EXPECT_EQ(panes.first, (Rect{6, 6, 6, 6}));
}

TEST(FitPicture, AWiderPictureFillsTheWidthBetweenBandsAboveAndBelow) {
  // 4:3 in a square: 100 / (4/3) = 75 high, (100 - 75) / 2 = 12 down.
  EXPECT_EQ(FitPicture(400, 300, 100, 100), (Rect{0, 12, 100, 87}));
}

TEST(FitPicture, ATallerPictureFillsTheHeightBetweenBandsLeftAndRight) {
  EXPECT_EQ(FitPicture(300, 400, 100, 100), (Rect{12, 0, 87, 100}));
  EXPECT_EQ(FitPicture(200, 100, 300, 100), (Rect{50, 0, 250, 100}));
}

TEST(FitPicture, TheSameAspectFillsThePane) {
  EXPECT_EQ(FitPicture(640, 480, 320, 240), (Rect{0, 0, 320, 240}));
}

TEST(FitPicture, NoSideOfZeroIsEverDividedBy) {
  EXPECT_EQ(FitPicture(0, 300, 100, 100), Rect{});
  EXPECT_EQ(FitPicture(400, 0, 100, 100), Rect{});
  EXPECT_EQ(FitPicture(400, 300, 100, 0), Rect{});
  EXPECT_EQ(FitPicture(400, 300, 0, 100), Rect{});
  EXPECT_EQ(FitPicture(400, 300, -5, 100), Rect{});
}

TEST(FitPicture, AnExtremeAspectStaysInsideThePane) {
  const Rect thin = FitPicture(250'000'000, 1, 100, 100);
  EXPECT_EQ(thin.Width(), 100);
  EXPECT_EQ(thin.Height(), 0);
  const Rect tall = FitPicture(1, 250'000'000, 100, 100);
  EXPECT_EQ(tall.Height(), 100);
  EXPECT_EQ(tall.Width(), 0);
}
