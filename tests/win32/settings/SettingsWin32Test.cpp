// The settings file and the language files on Windows (under Wine): real
// ANSI code page conversions, real file replacement, and the language files
// found beside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "localisation/DefaultLanguage.h"
#include "localisation/LanguageFiles.h"
#include "platform/win32/Win32Os.h"
#include "settings/SettingsFile.h"

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

// A fresh folder under the user's temp folder.
class SettingsFolder {
 public:
  explicit SettingsFolder(const win32::Win32Os& os) {
    path_ = os.WideToAnsi(os.TempPath().value_or(u".\\")) + "prismel-settings-test";
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    fs::create_directories(path_);
  }
  ~SettingsFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }
  std::string File() const { return path_ + "\\LastSetting.xml"; }

 private:
  std::string path_;
};

std::string ModuleFolder(const win32::Win32Os& os) {
  const std::string module = os.ModuleFileName().value_or("");
  return module.substr(0, module.rfind('\\'));
}

// The golden file of the source tree, seen through Wine's drive Z:.
std::string GoldenDefaults() {
  std::string path = "Z:" + std::string(PRISMEL_SETTINGS_GOLDEN_FILE);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return ReadBytes(path);
}

}  // namespace

TEST(SettingsOnWindows, DefaultsAreWrittenByteForByteWithCrLfLineEnds) {
  win32::Win32Os os;
  SettingsFolder folder(os);
  ASSERT_TRUE(settings::SaveSessionSettings(os, folder.Path(), settings::SessionSettings{}));
  const std::string written = ReadBytes(folder.File());
  const std::string golden = GoldenDefaults();
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(written, golden);
  EXPECT_EQ(written.find("\r\r\n"), std::string::npos);
}

TEST(SettingsOnWindows, SavingReplacesAnExistingFileAndWritesInPlaceWhenTheTempFileCannotBeMade) {
  win32::Win32Os os;
  SettingsFolder folder(os);
  WriteBytes(folder.File(), std::string(4000, 'x'));
  settings::SessionSettings record;
  record.colorType = 2;
  ASSERT_TRUE(settings::SaveSessionSettingsFile(os, folder.File(), record));
  EXPECT_EQ(ReadBytes(folder.File()), settings::FormatSessionSettings(record, os));
  EXPECT_FALSE(fs::exists(folder.File() + ".tmp"));

  fs::create_directory(folder.File() + ".tmp");
  record.colorType = 3;
  EXPECT_TRUE(settings::SaveSessionSettingsFile(os, folder.File(), record));
  EXPECT_EQ(ReadBytes(folder.File()), settings::FormatSessionSettings(record, os));
  EXPECT_TRUE(fs::is_directory(folder.File() + ".tmp"));
}

TEST(SettingsOnWindows, TextGoesThroughTheAnsiCodePage) {
  win32::Win32Os os;
  SettingsFolder folder(os);
  // é and € are in the Western code page; 水 is not and becomes its default
  // character. Whatever the code page, what it can hold survives a save.
  WriteBytes(folder.File(),
             "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<Tessivue><WaterMark>"
             "<text>Caf\xC3\xA9 \xE2\x82\xAC \xE6\xB0\xB4</text><font>Arial</font></WaterMark>"
             "<Language>0</Language></Tessivue>\r\n");
  settings::SessionSettings record;
  ASSERT_TRUE(settings::LoadSessionSettingsFile(os, folder.File(), record));
  const std::u16string wide = os.AnsiToWide(record.WaterMark.text);
  EXPECT_EQ(wide.substr(0, 4), u"Caf\u00E9");
  EXPECT_EQ(wide.substr(4, 3), u" \u20AC ");
  EXPECT_EQ(wide.substr(7), u"?");
  EXPECT_EQ(record.Language, localisation::DefaultLanguageCode(os.UserUiLanguage()));

  ASSERT_TRUE(settings::SaveSessionSettingsFile(os, folder.File(), record));
  settings::SessionSettings again;
  ASSERT_TRUE(settings::LoadSessionSettingsFile(os, folder.File(), again));
  EXPECT_EQ(again, record);
  EXPECT_NE(ReadBytes(folder.File()).find("<text>Caf\xC3\xA9 \xE2\x82\xAC ?</text>"), std::string::npos);
}

TEST(SettingsOnWindows, LanguageFilesAreFoundBesideTheProgram) {
  win32::Win32Os os;
  const std::string folder = ModuleFolder(os);
  localisation::LanguageList list;
  ASSERT_TRUE(localisation::LoadLanguageList(localisation::LanguageListPath(folder), os, list));
  ASSERT_EQ(list.size(), 9u);
  EXPECT_EQ(list[1].code, u"CN");
  EXPECT_EQ(list[1].name, u"\u7B80\u4F53\u4E2D\u6587");

  localisation::UiTextTable table;
  ASSERT_TRUE(localisation::LoadUiTexts(localisation::LanguageFilePath(folder, "CN"), os, table));
  EXPECT_EQ(table[localisation::UiText::Save].text, u"\u4FDD\u5B58");
  EXPECT_EQ(table.WordType, 1);
  ASSERT_TRUE(localisation::LoadUiTexts(localisation::LanguageFilePath(folder, "DE"), os, table));
  EXPECT_EQ(table[localisation::UiText::Save].text, u"Sichern");
  EXPECT_EQ(table[localisation::UiText::Pos8].text, u"Unten rechts");
}
