// The reader accepts more than the writer produces; each rule, and what
// happens to input that the writer never produces.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/headless/HeadlessOs.h"
#include "settings/SettingsFile.h"

using settings::SessionSettings;

namespace {

SessionSettings Read(const std::string& xml, const headless::HeadlessOs& os = headless::HeadlessOs(),
                     SessionSettings start = SessionSettings{}) {
  EXPECT_TRUE(settings::ReadSessionSettings(xml, os, start)) << xml;
  return start;
}

std::string Doc(const std::string& body) { return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<Tessivue>" + body + "</Tessivue>"; }

}  // namespace

// Values shuffled, under another root, with unknown elements, comments and
// attributes in between.
TEST(SettingsReading, RootNameElementOrderAndUnknownElementsDoNotMatter) {
  SessionSettings expected;
  expected.MediaType = 2;
  expected.DPI.MainWidth = 2592;
  expected.DPI.ImageDPI = 300;
  expected.WaterMark.color = {1, 0, 3};
  expected.WaterMark.text = "Draft";
  expected.colorType = 2;
  EXPECT_EQ(Read("<Settings version=\"9\"><!-- written by hand --><MediaType>2</MediaType>"
                 "<Unknown><colorType>7</colorType></Unknown><DPI><MainWidth>2592</MainWidth>"
                 "<ImageDPI>300</ImageDPI></DPI><WaterMark><color><B>3</B><A>9</A><R>1</R>"
                 "<G x=\"1\">0</G></color><text>Draft</text></WaterMark><colorType>2</colorType>"
                 "<extra/></Settings>"),
            expected);
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
  EXPECT_EQ(Read(Doc("<ImageDPI>75</ImageDPI>")).DPI.ImageDPI, 75);
}

TEST(SettingsReading, NumbersFollowTheLeadingIntegerRuleAndSaturateAndFlagsAreTrueUnlessZero) {
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
  // Any flag but zero is true.
  const SessionSettings read =
      Read(Doc("<Webcam><isEnable>2</isEnable><isMerge>-1</isMerge></Webcam><WaterMark>"
               "<isAddTimeStamp>0</isAddTimeStamp><isWeight>x</isWeight></WaterMark>"));
  EXPECT_TRUE(read.Webcam.isEnable && read.Webcam.isMerge);
  EXPECT_FALSE(read.WaterMark.isAddTimeStamp || read.WaterMark.isWeight);
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

TEST(SettingsReading, LanguageZeroFollowsTheUserInterfaceLanguageAndUnsafeCodesBecomeEnglish) {
  headless::HeadlessOs os;
  // Which identifier gives which code: the DefaultLanguage test, for every one.
  os.uiLanguage = 1031;  // German, Germany
  EXPECT_EQ(Read(Doc("<Language> 0 </Language>"), os).Language, "DE");
  EXPECT_EQ(Read(Doc("<Language>00</Language>"), os).Language, "00");
  // Codes that could leave the language folder become English.
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
