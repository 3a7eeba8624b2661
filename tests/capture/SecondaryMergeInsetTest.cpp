// Where the secondary camera's picture goes in the main picture.
#include <gtest/gtest.h>

#include "capture/SecondaryMergeInset.h"

using capture::SecondaryMergeInset;

namespace {

std::string Text(const std::optional<capture::Inset>& inset) {
  if (!inset) return "none";
  return std::to_string(inset->width) + "x" + std::to_string(inset->height) + "@" +
         std::to_string(inset->x) + "," + std::to_string(inset->y);
}

}  // namespace

TEST(SecondaryMergeInset, IsAThirdOfTheMainWidthAtItsAnchorAndNeedsBothSizes) {
  // 3000 / 3 = 1000 wide, 1000 * 480 / 640 = 750 high. Its centre, and an
  // outside merge's size at the origin, are MergeWithBothCameras' cases.
  EXPECT_EQ(Text(SecondaryMergeInset(3000, 2000, 640, 480, 0, 1)), "1000x750@0,0");
  EXPECT_EQ(Text(SecondaryMergeInset(3000, 2000, 640, 480, 0, 2)), "1000x750@2000,0");
  EXPECT_EQ(Text(SecondaryMergeInset(3000, 2000, 640, 480, 0, 3)), "1000x750@2000,1250");
  EXPECT_EQ(Text(SecondaryMergeInset(3000, 2000, 640, 480, 0, 4)), "1000x750@0,1250");
  EXPECT_EQ(Text(SecondaryMergeInset(3000, 2000, 640, 480, 0, 7)), "1000x750@0,0");
  // Integer arithmetic truncates: 1001 / 3 = 333, 333 * 9 / 16 = 187.
  EXPECT_EQ(Text(SecondaryMergeInset(1001, 700, 1600, 900, 0, 1)), "333x187@0,0");
  // An outside merge hands the size at the origin, whatever the anchor.
  EXPECT_EQ(Text(SecondaryMergeInset(3000, 2000, 640, 480, 9, 3)), "1000x750@0,0");
  // Without both sizes there is none.
  EXPECT_EQ(Text(SecondaryMergeInset(3000, 2000, 0, 480, 0, 0)), "none");
  EXPECT_EQ(Text(SecondaryMergeInset(3000, 2000, 640, 0, 0, 0)), "none");
  EXPECT_EQ(Text(SecondaryMergeInset(0, 2000, 640, 480, 0, 0)), "none");
  EXPECT_EQ(Text(SecondaryMergeInset(3000, -1, 640, 480, 0, 0)), "none");
}
