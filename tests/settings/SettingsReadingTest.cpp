// The reader accepts more than the writer produces; each rule, and what
// happens to input that the writer never produces.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/headless/HeadlessOs.h"
#include "settings/SettingsFile.h"
#include "support/TestFolder.h"

using settings::SessionSettings;

namespace {

SessionSettings Read(const std::string& xml, const headless::HeadlessOs& os = headless::HeadlessOs(),
                     SessionSettings start = SessionSettings{}) {
  EXPECT_TRUE(settings::ReadSessionSettings(xml, os, start)) << xml;
  return start;
}

std::string Doc(const std::string& body) { return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<Tessivue>" + body + "</Tessivue>"; }

const char kCanonical[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<Tessivue>\r\n"
    "<colorType>2</colorType><cutType>0</cutType><HandCut>1</HandCut><EdgeBorder>1</EdgeBorder>"
    "<fileType>2</fileType><rotateType>3</rotateType><autoCaptureType>1</autoCaptureType>"
    "<Webcam><isEnable>1</isEnable><isMerge>1</isMerge><MergeType>3</MergeType><MergePosition>5</MergePosition>"
    "<WebcamHeight>480</WebcamHeight><WebcamWidth>640</WebcamWidth></Webcam>"
    "<MergeHV><isEnable>1</isEnable><direction>2</direction></MergeHV>"
    "<WaterMark><isEnable>1</isEnable><text>Draft</text><font>Courier New</font><WordSize>12</WordSize>"
    "<isWeight>1</isWeight><isItalic>1</isItalic><isUnderline>1</isUnderline>"
    "<color><R>1</R><G>2</G><B>3</B></color><transparency>40</transparency><angle>-45</angle>"
    "<position>8</position><isAddTimeStamp>0</isAddTimeStamp></WaterMark>"
    "<DPI><isSetDPI>1</isSetDPI><ImageDPI>300</ImageDPI><MainHeight>1944</MainHeight><MainWidth>2592</MainWidth></DPI>"
    "<Language>DE</Language><ShowUIUpdataOneByOne>1</ShowUIUpdataOneByOne><SizeUnit>1</SizeUnit><MediaType>2</MediaType>"
    "</Tessivue>\r\n";

// The same values, shuffled, under another root, with unknown elements,
// comments and attributes in between.
const char kShuffled[] =
    "<Settings version=\"9\"><!-- written by hand -->"
    "<MediaType>2</MediaType><Unknown><colorType>7</colorType></Unknown><SizeUnit>1</SizeUnit>"
    "<DPI><MainWidth>2592</MainWidth><MainHeight>1944</MainHeight><ImageDPI>300</ImageDPI><isSetDPI>1</isSetDPI></DPI>"
    "<WaterMark><isAddTimeStamp>0</isAddTimeStamp><position>8</position><angle>-45</angle><transparency>40</transparency>"
    "<color><B>3</B><G>2</G><R>1</R><A>9</A></color><isUnderline>1</isUnderline><isItalic>1</isItalic>"
    "<isWeight>1</isWeight><WordSize>12</WordSize><font>Courier New</font><text>Draft</text><isEnable>1</isEnable></WaterMark>"
    "<Language>DE</Language><ShowUIUpdataOneByOne>1</ShowUIUpdataOneByOne>"
    "<MergeHV><direction>2</direction><isEnable>1</isEnable></MergeHV>"
    "<Webcam><WebcamWidth>640</WebcamWidth><WebcamHeight>480</WebcamHeight><MergePosition>5</MergePosition>"
    "<MergeType>3</MergeType><isMerge>1</isMerge><isEnable>1</isEnable></Webcam>"
    "<autoCaptureType>1</autoCaptureType><rotateType>3</rotateType><fileType>2</fileType><EdgeBorder>1</EdgeBorder>"
    "<HandCut>1</HandCut><cutType>0</cutType><colorType>2</colorType><extra/>"
    "</Settings>";

}  // namespace

TEST(SettingsReading, RootNameElementOrderAndUnknownElementsDoNotMatter) {
  const SessionSettings canonical = Read(kCanonical);
  EXPECT_EQ(canonical.colorType, 2);
  EXPECT_EQ(canonical.WaterMark.font, "Courier New");
  EXPECT_EQ(canonical.WaterMark.angle, -45);
  EXPECT_EQ(canonical.DPI.MainWidth, 2592);
  EXPECT_EQ(canonical.Language, "DE");
  EXPECT_EQ(Read(kShuffled), canonical);
}

TEST(SettingsReading, OnlyPresentElementsChangeTheRecordAndTheFirstOfANameCounts) {
  SessionSettings start;
  start.WaterMark.text = "kept";
  start.WaterMark.color.G = 77;
  SessionSettings expected = start;
  expected.cutType = 2;
  // A missing group (Webcam, MergeHV, DPI, color) leaves all its fields.
  EXPECT_EQ(Read(Doc("<cutType>2</cutType><WaterMark/>"), headless::HeadlessOs(), start), expected);
  // Only the first element of a name counts.
  EXPECT_EQ(Read(Doc("<cutType>2</cutType><cutType>0</cutType>")).cutType, 2);
  EXPECT_EQ(Read(Doc("<DPI><ImageDPI>150</ImageDPI></DPI><DPI><ImageDPI>600</ImageDPI></DPI>")).DPI.ImageDPI, 150);
  // A root-level ImageDPI wins over the one under DPI.
  EXPECT_EQ(Read(Doc("<ImageDPI>600</ImageDPI><DPI><ImageDPI>300</ImageDPI></DPI>")).DPI.ImageDPI, 600);
  EXPECT_EQ(Read(Doc("<DPI><ImageDPI>300</ImageDPI></DPI>")).DPI.ImageDPI, 300);
  EXPECT_EQ(Read(Doc("<ImageDPI>75</ImageDPI>")).DPI.ImageDPI, 75);
}

TEST(SettingsReading, NumbersFollowTheLeadingIntegerRuleAndSaturate) {
  const std::pair<const char*, int> cases[] = {
      {"12abc", 12}, {"  +7", 7}, {"-3 4", -3}, {"abc", 0}, {"- 5", 0}, {"0x1F", 0},
      {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"2147483648", INT_MAX},
      {"-2147483649", INT_MIN}, {"99999999999999999999999999", INT_MAX},
      {"-99999999999999999999999999x", INT_MIN}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(Read(Doc(std::string("<colorType>") + text + "</colorType>")).colorType, value) << text;
  }
  // Present but without text: the field keeps its value. Nothing is range-checked.
  EXPECT_EQ(Read(Doc("<cutType></cutType><fileType/>")).cutType, 1);
  EXPECT_EQ(Read(Doc("<fileType/>")).fileType, 1);
  EXPECT_EQ(Read(Doc("<WaterMark><position>42</position></WaterMark>")).WaterMark.position, 42);
}

TEST(SettingsReading, AnyNonZeroFlagIsTrueAndIsWrittenBackAsOne) {
  headless::HeadlessOs os;
  const SessionSettings read =
      Read(Doc("<Webcam><isEnable>2</isEnable><isMerge>-1</isMerge></Webcam><WaterMark><isAddTimeStamp>0</isAddTimeStamp>"
               "<isWeight>x</isWeight></WaterMark>"));
  EXPECT_TRUE(read.Webcam.isEnable);
  EXPECT_TRUE(read.Webcam.isMerge);
  EXPECT_FALSE(read.WaterMark.isAddTimeStamp);
  EXPECT_FALSE(read.WaterMark.isWeight);
  const std::string written = settings::FormatSessionSettings(read, os);
  EXPECT_NE(written.find("        <isEnable>1</isEnable>\r\n        <isMerge>1</isMerge>\r\n"), std::string::npos);
}

TEST(SettingsReading, TextIsCondensedAndAnEmptyElementKeepsTheOldText) {
  SessionSettings start;
  start.WaterMark.text = "old";
  EXPECT_EQ(Read(Doc("<WaterMark><text>  two  spaces\n\tand   tabs </text></WaterMark>")).WaterMark.text,
            "two spaces and tabs");
  EXPECT_EQ(Read(Doc("<WaterMark><text></text></WaterMark>"), headless::HeadlessOs(), start).WaterMark.text, "old");
  EXPECT_EQ(Read(Doc("<WaterMark><text>   </text><font/></WaterMark>"), headless::HeadlessOs(), start).WaterMark.font,
            "Arial");
  EXPECT_EQ(Read(Doc("<WaterMark><text>   </text></WaterMark>"), headless::HeadlessOs(), start).WaterMark.text, "old");
  EXPECT_EQ(Read(Doc("<WaterMark><text>a &amp; &lt;b&gt;</text></WaterMark>")).WaterMark.text, "a & <b>");
}

TEST(SettingsReading, LanguageZeroFollowsTheUserInterfaceLanguageAndIsSavedAsItsCode) {
  testing_support::TestFolder folder;
  headless::HeadlessOs os;
  os.uiLanguage = 1031;  // German, Germany
  folder.WriteFile("LastSetting.xml", Doc("<Language>0</Language>"));
  SessionSettings record;
  ASSERT_TRUE(settings::LoadSessionSettings(os, folder.String(), record));
  EXPECT_EQ(record.Language, "DE");
  ASSERT_TRUE(settings::SaveSessionSettings(os, folder.String(), record));
  EXPECT_NE(folder.ReadFile("LastSetting.xml").find("    <Language>DE</Language>\r\n"),
            std::string::npos);

  os.uiLanguage = 2070;  // Portuguese, Portugal
  EXPECT_EQ(Read(Doc("<Language> 0 </Language>"), os).Language, "PT");
  os.uiLanguage = 5124;  // Chinese, Macao: no file of its own
  EXPECT_EQ(Read(Doc("<Language>0</Language>"), os).Language, "EN");
  EXPECT_EQ(Read(Doc("<Language>00</Language>"), os).Language, "00");
}

TEST(SettingsReading, LanguageCodesThatCouldLeaveTheLanguageFolderBecomeEnglish) {
  EXPECT_EQ(Read(Doc("<Language>KO</Language>")).Language, "KO");
  EXPECT_EQ(Read(Doc("<Language>abcdefghijklmnop</Language>")).Language, "abcdefghijklmnop");
  for (const char* bad : {"..\\..\\Windows\\evil", "../x", "a/b", "C:", "EN.", "abcdefghijklmnopq", "x&#1;y"}) {
    EXPECT_EQ(Read(Doc(std::string("<Language>") + bad + "</Language>")).Language, "EN") << bad;
  }
}

TEST(SettingsReading, UnreadableFilesLeaveTheRecordUnchanged) {
  headless::HeadlessOs os;
  SessionSettings record;
  record.colorType = 3;
  const SessionSettings before = record;
  for (const char* bad : {"", "   ", "<?xml version=\"1.0\" ?>", "<!-- nothing -->", "<Tessivue><colorType>1</colorType>",
                          "<a></b>", "not xml at all", "<Tessivue><colorType>1</colorType></Tessivue"}) {
    EXPECT_FALSE(settings::ReadSessionSettings(bad, os, record)) << bad;
    EXPECT_EQ(record, before) << bad;
  }
  EXPECT_FALSE(settings::LoadSessionSettingsFile(os, "/nonexistent-folder/LastSetting.xml", record));
  EXPECT_EQ(record, before);
}
