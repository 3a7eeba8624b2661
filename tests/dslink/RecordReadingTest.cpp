// Building and reading the fixed-layout records, and the window title the
// records go to.
#include <gtest/gtest.h>

#include <limits>

#include "dslink/DSMessageRecord.h"
#include "dslink/DSWindowTitle.h"

// A record is built zero-filled, with room for the NUL; its text is read up
// to a NUL, the end of what arrived or 260 units.
TEST(Records, AreBuiltZeroFilledAndTheirTextIsReadUpToNulTheEndOfWhatArrivedOr260Units) {
  DSMessageRecord record = MakeDSMessageRecord(204, u"NOUI");
  for (size_t i = 4; i < kDSTextUnits; ++i) ASSERT_EQ(record.text[i], u'\0') << i;
  const DSMessageRecord cut = MakeDSMessageRecord(208, std::u16string(300, u'x'));
  EXPECT_EQ(std::u16string(cut.text).size(), 259u);
  EXPECT_EQ(ReadTextMessage(&record, sizeof record)->text, u"NOUI");
  // Only 4 + 2 * 2 bytes arrived: two units of text; an odd trailing byte
  // is not half a unit.
  EXPECT_EQ(ReadTextMessage(&record, 8)->text, u"NO");
  EXPECT_EQ(ReadTextMessage(&record, 9)->text, u"NO");
  // A block longer than the layout, without a NUL, is read within it.
  std::vector<char16_t> overlong(2048, u'a');
  EXPECT_EQ(ReadTextMessage(overlong.data(), 4096)->text, std::u16string(260, u'a'));
}

TEST(RecordReading, MissingOrShortBlocksAreRefused) {
  const int32_t code = 202;
  EXPECT_FALSE(ReadTextMessage(nullptr, 524));
  EXPECT_FALSE(ReadTextMessage(&code, 0));
  EXPECT_FALSE(ReadTextMessage(&code, 3));
  EXPECT_EQ(ReadTextMessage(&code, 4)->code, 202);

  DSScanSettings settings;
  EXPECT_FALSE(ReadScanSettings(nullptr, 60));
  EXPECT_FALSE(ReadScanSettings(&settings, 59));
  EXPECT_TRUE(ReadScanSettings(&settings, 60));
}

// Values far below zero and NaN and infinity reach the window's DPI in
// ImageOptions.TheDataSourcesScanSettingsReachTheLibraryThroughTheHandlers; here
// truncation and the edges of the range.
TEST(ResolutionToDpi, TruncatesKeepsZeroAndTheLargestIntAFloatHoldsAndRefusesWhatIsPast) {
  EXPECT_EQ(ResolutionToDpi(299.9f), 299);
  EXPECT_EQ(ResolutionToDpi(0.0f), 0);
  EXPECT_EQ(ResolutionToDpi(2147483520.0f), 2147483520);
  EXPECT_FALSE(ResolutionToDpi(2147483648.0f));
  EXPECT_FALSE(ResolutionToDpi(-1.0f));
  EXPECT_FALSE(ResolutionToDpi(-std::numeric_limits<float>::infinity()));
}

TEST(DSWindowTitle, IsTheTextBetweenTheFirstTwoSemicolonsElseTheDefault) {
  EXPECT_EQ(DSWindowTitleFromCommandLine(u"Prismel.exe ;Scanner;"), u"Scanner");
  EXPECT_EQ(DSWindowTitleFromCommandLine(u"x;  spaced title ;y"), u"  spaced title ");
  EXPECT_EQ(DSWindowTitleFromCommandLine(u"x;\u6587\u6863;"), u"\u6587\u6863");
  for (const char16_t* line : {u"", u"Prismel.exe", u"Prismel.exe ;Scanner", u"Prismel.exe ;;S;"}) {
    EXPECT_EQ(DSWindowTitleFromCommandLine(line), u"TWAINDSWINDOWS");
  }
}
