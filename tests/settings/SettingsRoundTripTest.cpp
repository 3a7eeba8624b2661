// Saving writes the documented file byte for byte, and what is saved is what
// the next start reads back: the defaults, and a file in which every field
// differs from them (golden/ChangedSettings.xml: the extremes of the numbers,
// text that needs escaping and is outside ASCII).
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/headless/HeadlessOs.h"
#include "settings/SettingsFile.h"
#include "support/TestFolder.h"

using settings::SessionSettings;
using testing_support::TestFolder;

namespace {

std::string Golden(const std::string& name) {
  return testing_support::ReadWholeFile(std::string(PRISMEL_SETTINGS_GOLDEN_DIR) + "/" + name);
}

}  // namespace

TEST(SettingsFileFormat, WithoutAFileTheDefaultsStayAndAreWrittenExactlyAsTheGoldenFile) {
  TestFolder folder;
  headless::HeadlessOs os;
  SessionSettings record;
  record.colorType = 3;
  EXPECT_FALSE(settings::LoadSessionSettings(os, folder.String(), record));
  EXPECT_EQ(record.colorType, 3);
  ASSERT_TRUE(settings::SaveSessionSettings(os, folder.String(), SessionSettings{}));
  EXPECT_EQ(folder.ReadFile("LastSetting.xml"), Golden("DefaultSettings.xml"));
}

TEST(SettingsFileFormat, AFileOfOtherValuesIsReadIntoEveryFieldAndWrittenBackByteForByte) {
  headless::HeadlessOs os;
  const std::string changed = Golden("ChangedSettings.xml");
  SessionSettings record;
  ASSERT_TRUE(settings::ReadSessionSettings(changed, os, record));
  EXPECT_EQ(record.WaterMark.text, "Caf\xE9 \x80 & <b> \"q\" 'a' %s \\ ;");  // CP1252
  EXPECT_EQ(std::make_pair(record.fileType, record.autoCaptureType),
            std::make_pair(INT_MAX, INT_MIN));
  EXPECT_EQ(std::make_pair(record.WaterMark.color.B, record.MediaType), std::make_pair(9, 12));
  EXPECT_TRUE(record.DPI.isSetDPI && !record.WaterMark.isAddTimeStamp);
  EXPECT_EQ(settings::FormatSessionSettings(record, os), changed);
}

TEST(SettingsFileFormat, TextIsStoredAsUtf8AndReadBackCutAtTheCharacterLimitNotABytesOne) {
  TestFolder folder;
  headless::HeadlessOs os;
  // CP1252 in, UTF-8 in the file. 200 euro signs need 600 UTF-8 bytes, none
  // of which may be lost; past 255 characters the text is cut to 255 whole ones.
  for (const size_t count : {200, 300}) {
    SessionSettings saved, loaded;
    saved.WaterMark.text = std::string(count, '\x80');
    ASSERT_TRUE(settings::SaveSessionSettingsFile(os, folder.File("LastSetting.xml"), saved));
    ASSERT_TRUE(settings::LoadSessionSettingsFile(os, folder.File("LastSetting.xml"), loaded));
    EXPECT_EQ(loaded.WaterMark.text, std::string(count == 200 ? 200 : 255, '\x80'));
  }
  // Characters the code page lacks become its default character.
  folder.WriteFile("LastSetting.xml",
                   "<Tessivue><WaterMark><text>\xE6\xB0\xB4\xE5\x8D\xB0 ok</text></WaterMark></Tessivue>");
  SessionSettings loaded;
  ASSERT_TRUE(settings::LoadSessionSettingsFile(os, folder.File("LastSetting.xml"), loaded));
  EXPECT_EQ(loaded.WaterMark.text, "?? ok");
}
