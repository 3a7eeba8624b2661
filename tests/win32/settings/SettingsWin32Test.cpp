// The settings file on Windows (under Wine): real ANSI code page conversions
// and real file replacement. The language files beside the program are read
// by the end-to-end tests' running Prismel.exe.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "localisation/DefaultLanguage.h"
#include "platform/win32/Win32Os.h"
#include "settings/SettingsFile.h"
#include "support/TestFolder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The golden file of the source tree, seen through Wine's drive Z:.
std::string GoldenDefaults() {
  std::string path = "Z:" + std::string(PRISMEL_SETTINGS_GOLDEN_FILE);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return ReadBytes(path);
}

struct SettingsOnWindows : ::testing::Test {
  std::string File() const { return folder.Path().string() + "\\LastSetting.xml"; }
  win32::Win32Os os;
  testing_support::TestFolder folder;
};

}  // namespace

TEST_F(SettingsOnWindows, DefaultsAreWrittenByteForByteWithCrLfLineEnds) {
  ASSERT_TRUE(
      settings::SaveSessionSettings(os, folder.Path().string(), settings::SessionSettings{}));
  const std::string written = ReadBytes(File());
  const std::string golden = GoldenDefaults();
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(written, golden);
  EXPECT_EQ(written.find("\r\r\n"), std::string::npos);
}

TEST_F(SettingsOnWindows, SavingReplacesAnExistingFileAndWritesInPlaceWhenTheTempFileCannotBeMade) {
  WriteBytes(File(), std::string(4000, 'x'));
  settings::SessionSettings record;
  record.colorType = 2;
  ASSERT_TRUE(settings::SaveSessionSettingsFile(os, File(), record));
  EXPECT_EQ(ReadBytes(File()), settings::FormatSessionSettings(record, os));
  EXPECT_FALSE(fs::exists(File() + ".tmp"));

  fs::create_directory(File() + ".tmp");
  record.colorType = 3;
  EXPECT_TRUE(settings::SaveSessionSettingsFile(os, File(), record));
  EXPECT_EQ(ReadBytes(File()), settings::FormatSessionSettings(record, os));
  EXPECT_TRUE(fs::is_directory(File() + ".tmp"));
}

TEST_F(SettingsOnWindows, TextGoesThroughTheAnsiCodePage) {
  // é and € are in the Western code page; 水 is not and becomes its default
  // character. Whatever the code page, what it can hold survives a save.
  WriteBytes(File(),
             "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<Tessivue><WaterMark>"
             "<text>Caf\xC3\xA9 \xE2\x82\xAC \xE6\xB0\xB4</text><font>Arial</font></WaterMark>"
             "<Language>0</Language></Tessivue>\r\n");
  settings::SessionSettings record;
  ASSERT_TRUE(settings::LoadSessionSettingsFile(os, File(), record));
  EXPECT_EQ(os.AnsiToWide(record.WaterMark.text), u"Caf\u00E9 \u20AC ?");
  EXPECT_EQ(record.Language, localisation::DefaultLanguageCode(os.UserUiLanguage()));

  ASSERT_TRUE(settings::SaveSessionSettingsFile(os, File(), record));
  settings::SessionSettings again;
  ASSERT_TRUE(settings::LoadSessionSettingsFile(os, File(), again));
  EXPECT_EQ(again, record);
  EXPECT_NE(ReadBytes(File()).find("<text>Caf\xC3\xA9 \xE2\x82\xAC ?</text>"), std::string::npos);
}
