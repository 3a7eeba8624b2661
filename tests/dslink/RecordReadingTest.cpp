// Building and reading the fixed-layout records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "dslink/DSMessageRecord.h"

TEST(RecordBuilding, IsZeroFilledAndKeepsRoomForTheNul) {
  const DSMessageRecord record = MakeDSMessageRecord(207, u"END");
  EXPECT_EQ(record.code, 207);
  EXPECT_EQ(std::u16string(record.text), u"END");
  for (size_t i = 3; i < kDSTextUnits; ++i) ASSERT_EQ(record.text[i], u'\0') << i;

  const std::u16string longText(300, u'x');
  const DSMessageRecord cut = MakeDSMessageRecord(208, longText);
  EXPECT_EQ(std::u16string(cut.text).size(), 259u);
  EXPECT_EQ(cut.text[259], u'\0');
}

TEST(RecordReading, TextStopsAtNulOrAtTheEndOfWhatArrived) {
  DSMessageRecord record = MakeDSMessageRecord(204, u"NOUI");
  auto whole = ReadTextMessage(&record, sizeof record);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->code, 204);
  EXPECT_EQ(whole->text, u"NOUI");

  // Only 4 + 2 * 2 bytes arrived: two units of text.
  auto partial = ReadTextMessage(&record, 8);
  ASSERT_TRUE(partial);
  EXPECT_EQ(partial->text, u"NO");

  // An odd trailing byte is not half a unit.
  auto odd = ReadTextMessage(&record, 9);
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->text, u"NO");
}

TEST(RecordReading, TextWithoutNulIsCutAt260Units) {
  DSMessageRecord record;
  record.code = 208;
  for (char16_t& unit : record.text) unit = u'a';
  auto message = ReadTextMessage(&record, sizeof record);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text.size(), 260u);
}

TEST(RecordReading, MissingOrShortBlocksAreRefused) {
  const int32_t code = 202;
  EXPECT_FALSE(ReadTextMessage(nullptr, 524));
  EXPECT_FALSE(ReadTextMessage(&code, 0));
  EXPECT_FALSE(ReadTextMessage(&code, 3));
  EXPECT_TRUE(ReadTextMessage(&code, 4));

  DSScanSettings settings;
  EXPECT_FALSE(ReadScanSettings(nullptr, 60));
  EXPECT_FALSE(ReadScanSettings(&settings, 59));
  EXPECT_TRUE(ReadScanSettings(&settings, 60));
}

TEST(RecordReading, ScanSettingsFieldsSitAtTheirOffsets) {
  uint8_t bytes[60] = {};
  const int32_t pixelType = 1, rotation = 3;
  const float resolution = 150.5f;
  std::memcpy(bytes + 36, &pixelType, 4);
  std::memcpy(bytes + 40, &resolution, 4);
  std::memcpy(bytes + 48, &rotation, 4);
  bytes[57] = 1;
  auto settings = ReadScanSettings(bytes, sizeof bytes);
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->pixelType, 1);
  EXPECT_FLOAT_EQ(settings->resolution, 150.5f);
  EXPECT_EQ(settings->rotation, 3);
  EXPECT_EQ(settings->autoCrop, 1);
}

TEST(ResolutionToDpi, TruncatesUsableValuesAndRefusesTheRest) {
  EXPECT_EQ(ResolutionToDpi(299.9f), 299);
  EXPECT_EQ(ResolutionToDpi(0.0f), 0);
  EXPECT_EQ(ResolutionToDpi(2147483520.0f), 2147483520);
  EXPECT_FALSE(ResolutionToDpi(2147483648.0f));
  EXPECT_FALSE(ResolutionToDpi(-1.0f));
  EXPECT_FALSE(ResolutionToDpi(std::numeric_limits<float>::quiet_NaN()));
  EXPECT_FALSE(ResolutionToDpi(std::numeric_limits<float>::infinity()));
  EXPECT_FALSE(ResolutionToDpi(-std::numeric_limits<float>::infinity()));
  EXPECT_FALSE(ResolutionToDpi(1e30f));
}
