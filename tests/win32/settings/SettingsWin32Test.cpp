// The settings file on Windows (under Wine): real ANSI code page conversions
// and real file replacement. The language files beside the program are read
// by the end-to-end tests' running Prismel.exe.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "localisation/DefaultLanguage.h"
#include "platform/win32/Win32Os.h"
#include "settings/SettingsFile.h"
#include "support/TestFolder.h"

namespace {

namespace fs = std::filesystem;

struct SettingsOnWindows : ::testing::Test {
  std::string File() const { return folder.Path().string() + "\\LastSetting.xml"; }
  std::string Saved() const { return folder.ReadFile("LastSetting.xml"); }
  win32::Win32Os os;
  testing_support::TestFolder folder;
};

}  // namespace

// Over a longer file, then with a folder in the temporary file's place.
TEST_F(SettingsOnWindows, DefaultsAreWrittenByteForByteOverTheOldFileOrInPlace) {
  // The golden file of the source tree, seen through Wine's drive Z:.
  const std::string golden = testing_support::ReadWholeFile("Z:" PRISMEL_SETTINGS_GOLDEN_FILE);
  ASSERT_FALSE(golden.empty());
  for (bool tempIsAFolder : {false, true}) {
    folder.WriteFile("LastSetting.xml", std::string(4000, 'x'));
    if (tempIsAFolder) fs::create_directory(File() + ".tmp");
    ASSERT_TRUE(
        settings::SaveSessionSettings(os, folder.Path().string(), settings::SessionSettings{}));
    EXPECT_EQ(Saved(), golden) << tempIsAFolder;
    EXPECT_EQ(fs::is_directory(File() + ".tmp"), tempIsAFolder);
  }
}

TEST_F(SettingsOnWindows, TextGoesThroughTheAnsiCodePage) {
  // é and € are in the Western code page; 水 is not and becomes its default
  // character. Whatever the code page, what it can hold survives a save.
  folder.WriteFile("LastSetting.xml",
                   "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<Tessivue><WaterMark>"
                   "<text>Caf\xC3\xA9 \xE2\x82\xAC \xE6\xB0\xB4</text><font>Arial</font>"
                   "</WaterMark><Language>0</Language></Tessivue>\r\n");
  settings::SessionSettings record;
  ASSERT_TRUE(settings::LoadSessionSettingsFile(os, File(), record));
  EXPECT_EQ(os.AnsiToWide(record.WaterMark.text), u"Caf\u00E9 \u20AC ?");
  EXPECT_EQ(record.Language, localisation::DefaultLanguageCode(os.UserUiLanguage()));

  ASSERT_TRUE(settings::SaveSessionSettingsFile(os, File(), record));
  settings::SessionSettings again;
  ASSERT_TRUE(settings::LoadSessionSettingsFile(os, File(), again));
  EXPECT_EQ(again, record);
  EXPECT_NE(Saved().find("<text>Caf\xC3\xA9 \xE2\x82\xAC ?</text>"), std::string::npos);
}
