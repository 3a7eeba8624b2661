// The language files that ship with the program: every file has every key,
// the list names every file, and English and Chinese use the fixed wording.
#include <gtest/gtest.h>

#include <string>

#include <tinyxml.h>

#include "localisation/LanguageFiles.h"
#include "localisation/XmlReading.h"
#include "platform/headless/HeadlessOs.h"

namespace {

const std::string kFolder = PRISMEL_LANGUAGE_DIR;  // holds the "Language" folder
const char* const kCodes[] = {"EN", "CN", "DE", "DU", "FR", "IT", "KO", "PT", "ES"};

// Every key a language file holds, in the order the program reads them,
// written out: the program's own key list is held to it.
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

struct GivenText {
  const char* key;
  const char16_t* english;
  const char16_t* chinese;
};

// The wording the English and Chinese files must use, odd spellings included.
const GivenText kGiven[] = {
    {"Color", u"Scan Mode", u"扫描模式"},
    {"ColorType0", u"Color", u"彩色"},
    {"ColorType1", u"Gray", u"灰度"},
    {"ColorType2", u"Black&White(Document)", u"黑白（文档优化）"},
    {"ColorType3", u"Black&White", u"黑白"},
    {"Cut", u"Cropping", u"裁切"},
    {"CutType0", u"No Cropping", u"不裁切"},
    {"CutType1", u"Single", u"单图"},
    {"CutType2", u"Multiple", u"多图"},
    {"CutType3", u"Signle(Eage Restore)", u"单裁补边"},
    {"CutType4", u"Book", u"书本"},
    {"FileFromat", u"File Format", u"文件格式"},
    {"HandCut", u"CustCut", u"手动裁切"},
    {"Merge", u"Two Picetures Merge", u"双面合并"},
    {"Horizontal", u"Horizontal", u"水平"},
    {"Vertical", u"Vertical", u"垂直"},
    {"WaterMark", u"Watemark", u"水印"},
    {"Webcam", u"Webcam", u"副头"},
    {"WebcamMerge", u"Merge", u"副窗合并"},
    {"UvcDevice", u"Device Setting", u"设备设置"},
    {"UvcImage", u"Image Setting", u"图像设置"},
    {"Device", u"Device", u"设备"},
    {"Media", u"Format", u"视频模式"},
    {"Unit", u"Unit", u"单位"},
    {"Resolution", u"Resolution", u"分辨率"},
    {"DPI", u"DPI", u"DPI"},
    {"Language", u"Language", u"语言"},
    {"Save", u"Save", u"保存"},
    {"Exit", u"Exit", u"退出"},
    {"Best", u"Best", u"最适"},
    {"Rotate", u"Rotate", u"旋转"},
    {"AutoCapture", u"Start", u"连拍"},
    {"AutoCaptureText", u"Timing", u"连拍模式"},
    {"AutoCaptureOption1", u"Min 5 Sec", u"5秒"},
    {"AutoCaptureOption2", u"AutoMatic", u"自动"},
    {"Capture", u"Capture", u"拍照"},
    {"Setting", u"Setting", u"设置"},
    {"IDOK", u"Ok", u"确定"},
    {"IDCancel", u"Cancel", u"取消"},
    {"Process", u"Processing...", u"图像处理中..."},
    {"UnitName", u"Sec", u"秒"},
    {"End", u"Exit", u"退出"},
    {"Page", u"Page", u"张"},
    {"WebcamMergeOption", u"Webcam Merge Setting", u"副头设置"},
    {"OutSide", u"Outside", u"外部合并"},
    {"InSide", u"Inside", u"内部合并"},
    {"WaterMarkOption", u"Watermark Setting", u"水印设置"},
    {"WMText", u"Content", u"水印内容"},
    {"TimeStamp", u"Time Stamp", u"时间戳"},
    {"Font", u"Font", u"字体"},
    {"FontSize", u"Font Size", u"尺寸"},
    {"FontColor", u"color", u"颜色"},
    {"Weight", u"Weight", u"粗体"},
    {"Italic", u"Italic", u"斜体"},
    {"Underline", u"Underline", u"下划线"},
    {"Transparency", u"Transparency", u"透明度"},
    {"Angle", u"Angle", u"角度"},
    {"Pos", u"Postion", u"位置"},
    {"Pos0", u"Left Top", u"左上"},
    {"Pos1", u"Top", u"上"},
    {"Pos2", u"Right Top", u"右上"},
    {"Pos3", u"Left", u"左"},
    {"Pos4", u"Middle", u"中"},
    {"Pos5", u"Right", u"右"},
    {"Pos6", u"Left Bottom", u"左下"},
    {"Pos7", u"Bottom", u"下"},
    {"Pos8", u"Right Bottom", u"右下"},
    {"NoCamera", u"No Camera", u"没有设备"},
    {"Invalid", u"Invalid", u"无效的"},
    {"None", u"None", u"无"},
    {"OpenFailed", u"Open Failed", u"打开失败"},
    {"CamUsed", u"Busy being used", u"设备已占用"},
    {"ErrCode", u"Failed, ErrorCode", u"失败，错误码"},
    {"Error", u"error", u"错误"},
    {"Version", u"Version", u"版本号"},
};

localisation::UiTextTable LoadLanguage(const std::string& code) {
  headless::HeadlessOs os;
  localisation::UiTextTable table;
  EXPECT_TRUE(localisation::LoadUiTexts(localisation::LanguageFilePath(kFolder, code), os, table)) << code;
  return table;
}

}  // namespace

TEST(ShippedLanguageFiles, TheProgramReadsTheListedKeysInOrder) {
  ASSERT_EQ(localisation::kUiTextKeyCount, std::size(kKeys));
  for (size_t i = 0; i < std::size(kKeys); ++i) EXPECT_STREQ(localisation::kUiTextKeys[i], kKeys[i]) << i;
  EXPECT_STREQ(localisation::ElementName(localisation::kKeyBeforeWordType), "Pages");
}

TEST(ShippedLanguageFiles, EveryFileHasEveryKeyShownAndEnabledWithText) {
  headless::HeadlessOs os;
  for (const char* code : kCodes) {
    const std::optional<std::string> bytes = os.ReadFileBytes(localisation::LanguageFilePath(kFolder, code));
    ASSERT_TRUE(bytes) << code;
    TiXmlDocument document;
    ASSERT_TRUE(localisation::ParseXmlDocument(*bytes, document)) << code;
    const TiXmlElement* uiText = document.FirstChildElement("UIText");
    ASSERT_NE(uiText, nullptr) << code;
    for (const char* key : kKeys) {
      const TiXmlElement* element = uiText->FirstChildElement(key);
      ASSERT_NE(element, nullptr) << code << " lacks " << key;
      EXPECT_NE(element->GetText(), nullptr) << code << " " << key;
      EXPECT_STREQ(element->Attribute("IsShow"), "1") << code << " " << key;
      EXPECT_STREQ(element->Attribute("IsEnable"), "1") << code << " " << key;
    }
    EXPECT_NE(uiText->FirstChildElement("WordType"), nullptr) << code;
    int elements = 0;
    for (const TiXmlElement* e = uiText->FirstChildElement(); e; e = e->NextSiblingElement()) ++elements;
    EXPECT_EQ(elements, static_cast<int>(std::size(kKeys)) + 1) << code << ": unknown or repeated keys";
  }
}

// The key whose element is named `element`.
localisation::UiText KeyNamed(const char* element) {
  for (size_t i = 0; i < localisation::kUiTextKeyCount; ++i) {
    if (std::string(localisation::kUiTextKeys[i]) == element) return static_cast<localisation::UiText>(i);
  }
  ADD_FAILURE() << "no key " << element;
  return localisation::UiText::Color;
}

TEST(ShippedLanguageFiles, EnglishAndChineseUseTheFixedWording) {
  const localisation::UiTextTable english = LoadLanguage("EN");
  const localisation::UiTextTable chinese = LoadLanguage("CN");
  for (const GivenText& given : kGiven) {
    EXPECT_EQ(english[KeyNamed(given.key)].text, given.english) << given.key;
    EXPECT_EQ(chinese[KeyNamed(given.key)].text, given.chinese) << given.key;
  }
  EXPECT_EQ(english.WordType, 0);
  EXPECT_EQ(chinese.WordType, 1);
  EXPECT_EQ(localisation::PageCounterText(english, 3), u"Page 3");
  EXPECT_EQ(english[localisation::UiText::Rotate1].text, u"90\u00B0");
  EXPECT_EQ(english[localisation::UiText::AutoCaptureManual].text, u"Manual");
  EXPECT_EQ(english[localisation::UiText::listMenuDelete].text, u"Delete");
  EXPECT_EQ(english[localisation::UiText::listMenuClear].text, u"Clear");
  EXPECT_EQ(english[localisation::UiText::listMenuMoveEarlier].text, u"Move earlier");
  EXPECT_EQ(english[localisation::UiText::listMenuMoveLater].text, u"Move later");
  EXPECT_EQ(english[localisation::UiText::listMenuUndo].text, u"Undo");
  EXPECT_EQ(english[localisation::UiText::Pix].text, u"Resolution");
}

TEST(ShippedLanguageFiles, TranslationsDifferFromEnglishAndUseASensibleWordOrder) {
  const localisation::UiTextTable english = LoadLanguage("EN");
  for (const char* code : kCodes) {
    if (std::string(code) == "EN") continue;
    const localisation::UiTextTable table = LoadLanguage(code);
    EXPECT_NE(table[localisation::UiText::Save].text, english[localisation::UiText::Save].text) << code;
    EXPECT_NE(table[localisation::UiText::Cut].text, english[localisation::UiText::Cut].text) << code;
    EXPECT_TRUE(table.WordType == 0 || table.WordType == 1) << code;
    EXPECT_FALSE(localisation::PageCounterText(table, 2).empty()) << code;
  }
}

TEST(ShippedLanguageFiles, TheListOffersEveryLanguageInOrder) {
  headless::HeadlessOs os;
  localisation::LanguageList list;
  ASSERT_TRUE(localisation::LoadLanguageList(localisation::LanguageListPath(kFolder), os, list));
  const char16_t* names[] = {u"English", u"\u7B80\u4F53\u4E2D\u6587", u"Deutsch", u"Nederlands", u"Fran\u00E7ais",
                             u"Italiano", u"\uD55C\uAD6D\uC5B4", u"Portugu\u00EAs", u"Espa\u00F1ol"};
  ASSERT_EQ(list.size(), std::size(kCodes));
  for (size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].code, std::u16string(kCodes[i], kCodes[i] + std::char_traits<char>::length(kCodes[i])));
    EXPECT_EQ(list[i].name, names[i]);
    EXPECT_EQ(list[i].IsShow, 1);
    EXPECT_EQ(list[i].IsEnable, 1);
  }
}
