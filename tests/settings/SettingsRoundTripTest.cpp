// Saving writes the documented file byte for byte, and what is saved is what
// the next start reads back.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "platform/headless/HeadlessOs.h"
#include "settings/SettingsFile.h"
#include "support/TestFolder.h"

using settings::SessionSettings;
using testing_support::TestFolder;

namespace {

std::string Golden(const std::string& name) {
  std::ifstream file(std::string(PRISMEL_SETTINGS_GOLDEN_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// CP1252 bytes: the headless platform's ANSI code page.
const std::string kAnsiPieces[] = {"a", "Z", "7", "&", "<", ">", "\"", "'", "-", "\xE9", "\xFC",
                                   "\x80", "\xDF", "\xFF", "\x8C", "x y", "%s", "\\", ";"};

std::string RandomAnsi(std::mt19937& random, size_t maxPieces) {
  std::uniform_int_distribution<size_t> count(0, maxPieces);
  std::uniform_int_distribution<size_t> piece(0, std::size(kAnsiPieces) - 1);
  std::string text;
  for (size_t n = count(random); n > 0; --n) text += kAnsiPieces[piece(random)];
  return text;
}

int RandomInt(std::mt19937& random) {
  std::uniform_int_distribution<int> kind(0, 5);
  switch (kind(random)) {
    case 0: return INT_MIN;
    case 1: return INT_MAX;
    case 2: return 0;
    case 3: return std::uniform_int_distribution<int>(-300, 300)(random);
    default: return std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(random);
  }
}

SessionSettings RandomRecord(std::mt19937& random) {
  auto flag = [&] { return std::uniform_int_distribution<int>(0, 1)(random) == 1; };
  auto number = [&] { return RandomInt(random); };
  SessionSettings s;
  s.colorType = number();
  s.cutType = number();
  s.fileType = number();
  s.HandCut = number();
  s.EdgeBorder = number();
  s.rotateType = number();
  s.autoCaptureType = number();
  s.Webcam = {flag(), flag(), number(), number(), number(), number()};
  s.MergeHV = {flag(), number()};
  s.WaterMark.isEnable = flag();
  s.WaterMark.text = RandomAnsi(random, 40);
  s.WaterMark.font = RandomAnsi(random, 6);
  s.WaterMark.WordSize = number();
  s.WaterMark.isWeight = flag();
  s.WaterMark.isItalic = flag();
  s.WaterMark.isUnderline = flag();
  s.WaterMark.color = {number(), number(), number()};
  s.WaterMark.transparency = number();
  s.WaterMark.angle = number();
  s.WaterMark.position = number();
  s.WaterMark.isAddTimeStamp = flag();
  s.DPI = {flag(), number(), number(), number()};
  const char* codes[] = {"EN", "CN", "DE", "KO", "xx", "Klingon"};
  s.Language = codes[std::uniform_int_distribution<int>(0, 5)(random)];
  s.ShowUIUpdataOneByOne = number();
  s.SizeUnit = number();
  s.MediaType = number();
  return s;
}

// The next start reads into the defaults; an empty string element leaves
// the default in place.
SessionSettings AsReadBack(SessionSettings saved) {
  const SessionSettings defaults;
  if (saved.WaterMark.font.empty()) saved.WaterMark.font = defaults.WaterMark.font;
  return saved;
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

TEST(SettingsFileFormat, SaveThenLoadGivesTheSameRecordForRandomRecords) {
  TestFolder folder;
  headless::HeadlessOs os;
  std::mt19937 random(20261207);
  const std::string path = folder.String() + "\\LastSetting.xml";
  for (int i = 0; i < 400; ++i) {
    const SessionSettings saved = RandomRecord(random);
    ASSERT_TRUE(settings::SaveSessionSettingsFile(os, path, saved));
    SessionSettings loaded;
    ASSERT_TRUE(settings::LoadSessionSettingsFile(os, path, loaded));
    ASSERT_EQ(loaded, AsReadBack(saved)) << "record " << i << ":\n" << folder.ReadFile("LastSetting.xml");
  }
}

TEST(SettingsFileFormat, TextIsStoredAsUtf8AndReadBackCutAtTheCharacterLimitNotABytesOne) {
  TestFolder folder;
  headless::HeadlessOs os;
  // CP1252 in, UTF-8 in the file. 200 euro signs need 600 UTF-8 bytes, none
  // of which may be lost; past 255 characters the text is cut to 255 whole ones.
  const struct {
    std::string text, stored, readBack;
  } cases[] = {
      {"Caf\xE9 \x80 5 & <Gr\xFC\xDF>", "<text>Caf\xC3\xA9 \xE2\x82\xAC 5 &amp; &lt;Gr\xC3\xBC\xC3\x9F&gt;</text>",
       "Caf\xE9 \x80 5 & <Gr\xFC\xDF>"},
      {std::string(200, '\x80'), "\xE2\x82\xAC</text>", std::string(200, '\x80')},
      {std::string(300, '\x80'), "\xE2\x82\xAC</text>", std::string(255, '\x80')},
  };
  for (const auto& c : cases) {
    SessionSettings saved, loaded;
    saved.WaterMark.text = c.text;
    ASSERT_TRUE(settings::SaveSessionSettingsFile(os, folder.File("LastSetting.xml"), saved));
    EXPECT_NE(folder.ReadFile("LastSetting.xml").find(c.stored), std::string::npos) << c.stored;
    ASSERT_TRUE(settings::LoadSessionSettingsFile(os, folder.File("LastSetting.xml"), loaded));
    EXPECT_EQ(loaded.WaterMark.text, c.readBack);
  }
  // Characters the code page lacks become its default character.
  folder.WriteFile("LastSetting.xml",
                   "<Tessivue><WaterMark><text>\xE6\xB0\xB4\xE5\x8D\xB0 ok</text></WaterMark></Tessivue>");
  SessionSettings loaded;
  ASSERT_TRUE(settings::LoadSessionSettingsFile(os, folder.File("LastSetting.xml"), loaded));
  EXPECT_EQ(loaded.WaterMark.text, "?? ok");
}
