// The language files that ship with the program: every file has every key
// shown and enabled with a text, the list names every file, and the texts
// no control shows (messages, the thumbnail list's menu) are the fixed
// English and Chinese ones. What the controls show: ControlTextsTest.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "localisation/LanguageFiles.h"
#include "platform/headless/HeadlessOs.h"

namespace {

const std::string kFolder = PRISMEL_LANGUAGE_DIR;  // holds the "Language" folder
const char* const kCodes[] = {"EN", "CN", "DE", "DU", "FR", "IT", "KO", "PT", "ES"};

const char* const kKeys[] = {
    "Color", "ColorType0", "ColorType1", "ColorType2", "ColorType3", "Cut", "CutType0", "CutType1",
    "CutType2", "CutType3", "CutType4", "FileFromat", "HandCut", "Merge", "Horizontal", "Vertical",
    "WaterMark", "Webcam", "WebcamMerge", "UvcDevice", "UvcImage", "Device", "Media", "Unit",
    "Resolution", "DPI", "Pix", "Language", "Save", "Exit", "Best", "Rotate", "Rotate0", "Rotate1",
    "Rotate2", "Rotate3", "AutoCapture", "AutoCaptureText", "AutoCaptureManual",
    "AutoCaptureOption0", "AutoCaptureOption1", "AutoCaptureOption2", "Capture", "Setting", "IDOK",
    "IDCancel", "Process", "UnitName", "End", "Page", "Pages", "WebcamMergeOption", "OutSide",
    "InSide", "WaterMarkOption", "WMText", "TimeStamp", "Font", "FontSize", "FontColor", "Weight",
    "Italic", "Underline", "Transparency", "Angle", "Pos", "Pos0", "Pos1", "Pos2", "Pos3", "Pos4",
    "Pos5", "Pos6", "Pos7", "Pos8", "NoCamera", "Invalid", "None", "OpenFailed", "CamUsed",
    "ErrCode", "Error", "Version", "add", "noAdd", "bili", "list", "megrGroup", "WaterGroup",
    "Cam2Group", "imageGroup", "cam2Setting", "cam2Capture", "AuoFocus", "listMenuOpen",
    "listMenuDelete", "listMenuClear", "listMenuMoveEarlier", "listMenuMoveLater", "listMenuUndo",
    "ZoomIn", "ZoomOut", "ActualSize", "LivePicture", "CaptureKey"};

// A key, its English text and its Chinese one.
const std::tuple<localisation::UiText, const char16_t*, const char16_t*> kMessages[] = {
    {localisation::UiText::CutType4, u"Book", u"书本"},
    {localisation::UiText::Process, u"Processing...", u"图像处理中..."},
    {localisation::UiText::Pages, u"Pages", u"张"},
    {localisation::UiText::NoCamera, u"No Camera", u"没有设备"},
    {localisation::UiText::Invalid, u"Invalid", u"无效的"},
    {localisation::UiText::None, u"None", u"无"},
    {localisation::UiText::OpenFailed, u"Open Failed", u"打开失败"},
    {localisation::UiText::CamUsed, u"Busy being used", u"设备已占用"},
    {localisation::UiText::ErrCode, u"Failed, ErrorCode", u"失败，错误码"},
    {localisation::UiText::Error, u"error", u"错误"},
    {localisation::UiText::Version, u"Version", u"版本号"},
    {localisation::UiText::listMenuOpen, u"Open", u"打开"},
    {localisation::UiText::listMenuDelete, u"Delete", u"删除"},
    {localisation::UiText::listMenuClear, u"Clear", u"清空"},
    {localisation::UiText::listMenuMoveEarlier, u"Move earlier", u"前移"},
    {localisation::UiText::listMenuMoveLater, u"Move later", u"后移"},
    {localisation::UiText::listMenuUndo, u"Undo", u"撤销"},
};

localisation::UiTextTable LoadLanguage(const std::string& code) {
  headless::HeadlessOs os;
  localisation::UiTextTable table;
  EXPECT_TRUE(localisation::LoadUiTexts(localisation::LanguageFilePath(kFolder, code), os, table))
      << code;
  return table;
}

}  // namespace

TEST(ShippedLanguageFiles, TheProgramReadsTheListedKeysInOrder) {
  const auto* keys = localisation::kUiTextKeys;
  EXPECT_EQ(std::vector<std::string>(keys, keys + localisation::kUiTextKeyCount),
            std::vector<std::string>(std::begin(kKeys), std::end(kKeys)));
}

// A fresh table holds every entry empty, hidden and disabled: a key the
// file lacks, or gives without a text, stays so.
TEST(ShippedLanguageFiles, EveryListedFileHasEveryKeyShownAndEnabledWithATranslatedText) {
  headless::HeadlessOs os;
  localisation::LanguageList list;
  ASSERT_TRUE(localisation::LoadLanguageList(localisation::LanguageListPath(kFolder), os, list));
  ASSERT_EQ(list.size(), std::size(kCodes));
  const localisation::UiTextTable english = LoadLanguage("EN");
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string code = kCodes[i];
    EXPECT_EQ(os.WideToUtf8(list[i].code), code);
    EXPECT_EQ(list[i].IsShow + list[i].IsEnable, 2) << code;
    const localisation::UiTextTable table = LoadLanguage(code);
    for (size_t key = 0; key < localisation::kUiTextKeyCount; ++key) {
      const localisation::UiTextEntry& entry = table[static_cast<localisation::UiText>(key)];
      EXPECT_TRUE(!entry.text.empty() && entry.IsShow == 1 && entry.IsEnable == 1)
          << code << " " << kKeys[key];
    }
    EXPECT_TRUE(table.WordType == 0 || table.WordType == 1) << code;
    const bool translated =
        table.Text(localisation::UiText::Save) != english.Text(localisation::UiText::Save);
    EXPECT_EQ(translated, code != "EN") << code;
  }
}

TEST(ShippedLanguageFiles, TextsNoControlShowsHaveTheFixedEnglishAndChineseWording) {
  const localisation::UiTextTable english = LoadLanguage("EN");
  const localisation::UiTextTable chinese = LoadLanguage("CN");
  for (const auto& [key, inEnglish, inChinese] : kMessages) {
    EXPECT_EQ(english.Text(key), inEnglish) << localisation::ElementName(key);
    EXPECT_EQ(chinese.Text(key), inChinese) << localisation::ElementName(key);
  }
}
