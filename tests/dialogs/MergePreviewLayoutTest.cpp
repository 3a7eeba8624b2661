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

TEST(MergePreviewPlacement, SideBySideTakesTheLowerThirdAndHalfTheWidthElseHalfAndAThird) {
  // Both directions over a picture of 900 x 600 are MergeControls'
  // MergePreviewPlacement cases. Divisions truncate: 601 / 3 is 200, two thirds down is 400.
  EXPECT_EQ(MergePreviewPlacement(Rect{0, 0, 901, 601}, MergeDirection::Horizontal),
            (Rect{2, 400, 452, 600}));
  // At 192 DPI the inset is 4.
  EXPECT_EQ(MergePreviewPlacement(Rect{100, 50, 1000, 650}, MergeDirection::Horizontal, 192),
            (Rect{104, 450, 554, 650}));
}

TEST(MergePanes, ShareTheWidthOrTheHeightWithATenPixelGapAndNeverANegativeSize) {
  const auto expect = [](dialogs::MergePanes panes, Rect first, Rect second) {
    EXPECT_EQ(panes.first, first);
    EXPECT_EQ(panes.second, second);
  };
  expect(LayOutMergePanes(450, 200, MergeDirection::Horizontal), {6, 6, 220, 194},
         {230, 6, 444, 194});
  expect(LayOutMergePanes(300, 300, MergeDirection::Vertical), {6, 6, 294, 145},
         {6, 155, 294, 294});
  // At 192 DPI: margins of 12, a gap of 20.
  expect(LayOutMergePanes(450, 200, MergeDirection::Horizontal, 192), {12, 12, 215, 188},
         {235, 12, 438, 188});
  // Too little room: panes without size, never a negative one.
  expect(LayOutMergePanes(10, 5, MergeDirection::Horizontal), {6, 6, 6, 6}, {16, 6, 16, 6});
  expect(LayOutMergePanes(10, 5, MergeDirection::Vertical), {6, 6, 6, 6}, {6, 16, 6, 16});
}

TEST(FitPicture, FillsTheWidthOrTheHeightCentredBetweenBandsAndNeverDividesByZero) {
  const struct {
    int pictureWidth, pictureHeight, paneWidth, paneHeight;
    Rect placed;
  } cases[] = {
      // 4:3 in a square: 100 / (4/3) = 75 high, (100 - 75) / 2 = 12 down.
      {400, 300, 100, 100, {0, 12, 100, 87}},
      {300, 400, 100, 100, {12, 0, 87, 100}},
      {200, 100, 300, 100, {50, 0, 250, 100}},
      {640, 480, 320, 240, {0, 0, 320, 240}},
      // An extreme aspect stays inside the pane.
      {250'000'000, 1, 100, 100, {0, 50, 100, 50}},
      {1, 250'000'000, 100, 100, {50, 0, 50, 100}},
      {0, 300, 100, 100, {}},
      {400, 0, 100, 100, {}},
      {400, 300, 100, 0, {}},
      {400, 300, 0, 100, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitPicture(c.pictureWidth, c.pictureHeight, c.paneWidth, c.paneHeight), c.placed)
        << c.pictureWidth << "x" << c.pictureHeight << " in " << c.paneWidth << "x"
        << c.paneHeight;
  }
}
