// The watermark's text with its time stamp, its colour as one value, the
// slider labels, the typed font size and the list searches of the dialog.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "dialogs/ListSearch.h"
#include "dialogs/WatermarkLabels.h"
#include "dialogs/WatermarkOptions.h"

TEST(WatermarkText, TheTimeStampFollowsTheTextWithALeadingBlankAndZeroPadding) {
  WatermarkOptions options;
  options.text = u"Mark";
  EXPECT_EQ(dialogs::WatermarkTextAt(options, {2027, 1, 2, 3, 4, 5, 678}),
            u"Mark 2027-01-02 03:04:05");
  options.timeStamp = false;
  EXPECT_EQ(dialogs::WatermarkTextAt(options, {2027, 1, 2, 3, 4, 5, 0}), u"Mark");
}

TEST(WatermarkColor, ComponentsArePackedClampedAndUnpackedByTheirBits) {
  // 256 in red would otherwise become green 1; -1 would fill every bit.
  EXPECT_EQ(dialogs::PackColor(256, -1, 300), 0x00FF00FFu);
  int red = -1, green = -1, blue = -1;
  dialogs::UnpackColor(0xAB123456u, red, green, blue);
  EXPECT_EQ((std::vector<int>{red, green, blue}), (std::vector<int>{0x56, 0x34, 0x12}));
}

TEST(WatermarkNumbers, FloatsTruncateTowardZeroWithinTheRangeOfInt) {
  EXPECT_EQ(dialogs::TruncateToInt(70.9f), 70);
  EXPECT_EQ(dialogs::TruncateToInt(-3.7f), -3);
  EXPECT_EQ(dialogs::TruncateToInt(std::nanf("")), 0);
  EXPECT_EQ(dialogs::TruncateToInt(-1e10f), INT_MIN);
  EXPECT_EQ(dialogs::TruncateToInt(2147483648.0f), INT_MAX);
}

TEST(WatermarkLabels, OptionValuesAreRoundedAndATypedSizeIsItsLeadingDecimalInteger) {
  EXPECT_EQ(dialogs::PercentText(69.6f), u"70%");
  EXPECT_EQ(dialogs::DegreesText(359.7f), u"360°");
  EXPECT_EQ(dialogs::DegreesText(-5), u"-5°");
  EXPECT_EQ(dialogs::LeadingInteger(u"\t-5"), -5);
  EXPECT_EQ(dialogs::LeadingInteger(u"+7"), 7);
  EXPECT_EQ(dialogs::LeadingInteger(u"- 5"), 0);
  EXPECT_EQ(dialogs::LeadingInteger(u""), 0);
  EXPECT_EQ(dialogs::LeadingInteger(u"99999999999999999999"), INT_MAX);
  EXPECT_EQ(dialogs::LeadingInteger(u"-99999999999999999999"), INT_MIN);
  EXPECT_EQ(dialogs::LeadingInteger(u"-2147483648"), INT_MIN);
}

TEST(ListSearch, APrefixIsSoughtAfterTheGivenItemAndWrapsAndANameMatchesWholeWithoutCase) {
  const std::vector<std::u16string> sizes = {u"5", u"8", u"12", u"14", u"16"};
  EXPECT_EQ(dialogs::FindItemWithPrefix(sizes, 0, u"5"), 0);  // wrapped to the top
  EXPECT_EQ(dialogs::FindItemWithPrefix(sizes, 2, u"1"), 3);  // "14", after "12"
  EXPECT_EQ(dialogs::FindItemWithPrefix(sizes, -1, u"5"), 0);
  EXPECT_EQ(dialogs::FindItemWithPrefix({}, 0, u"5"), -1);
  const std::vector<std::u16string> fonts = {u"Arial", u"arial black", u"Tahoma"};
  EXPECT_EQ(dialogs::FindItemWithPrefix(fonts, -1, u"ARIAL"), 0);
  EXPECT_EQ(dialogs::FindItemWithPrefix(fonts, 0, u"ARIAL"), 1);
  EXPECT_EQ(dialogs::FindItemWithPrefix(fonts, 1, u"arial"), 0);
  EXPECT_EQ(dialogs::FindItemNamed(fonts, u"ARIAL BLACK"), 1);
  EXPECT_EQ(dialogs::FindItemNamed(fonts, u"Aria"), -1);
  EXPECT_EQ(dialogs::FindItemNamed(fonts, u""), -1);
}
