// Loading a language file into the UI text table, switching from one
// language to another, and what the XML parser is given.
#include <gtest/gtest.h>

#include <string>

#include "localisation/LanguageFiles.h"
#include "localisation/UiTextTable.h"
#include "localisation/XmlReading.h"
#include "platform/headless/HeadlessOs.h"

using localisation::UiText;
using localisation::UiTextTable;

namespace {

std::string File(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<UIText>" + body + "</UIText>";
}

UiTextTable Loaded(const std::string& body, UiTextTable table = UiTextTable{}) {
  headless::HeadlessOs os;
  EXPECT_TRUE(localisation::ReadUiTexts(File(body), os, table));
  return table;
}

// An entry as "text show enable".
std::string Entry(const UiTextTable& table, UiText key) {
  headless::HeadlessOs os;
  return os.WideToUtf8(table[key].text) + " " + std::to_string(table[key].IsShow) + " " +
         std::to_string(table[key].IsEnable);
}

}  // namespace

TEST(UiTextLoading, AttributesAndTextAreReadPerKeyAndAMissingOneKeepsWhatTheEntryHad) {
  const UiTextTable first = Loaded(
      "<Save IsShow=\"1\" IsEnable=\"7\">Save</Save><Exit IsShow=\"0\">  Leave \n now </Exit>"
      "<Capture IsEnable=\"x\">Shoot &amp; go</Capture><WordType>1</WordType>"
      "<save>lower</save><Save>second</Save>");  // keys are case-sensitive; the first counts
  EXPECT_EQ(Entry(first, UiText::Save), "Save 1 7");
  EXPECT_EQ(Entry(first, UiText::Exit), "Leave now 0 0");
  EXPECT_EQ(Entry(first, UiText::Capture), "Shoot & go 0 0");
  EXPECT_EQ(first.WordType, 1);
  // Attributes without text change only flags; a WordType without text
  // keeps the word order.
  const UiTextTable next = Loaded("<Save IsShow=\"0\"/><Exit>Quit</Exit><WordType></WordType>", first);
  EXPECT_EQ(Entry(next, UiText::Save), "Save 0 7");
  EXPECT_EQ(Entry(next, UiText::Exit), "Quit 0 0");
  EXPECT_EQ(next.WordType, 1);
}

TEST(UiTextLoading, SwitchingToAnIncompleteFileKeepsThePreviousTextsButNotItsDescriptions) {
  headless::HeadlessOs os;
  UiTextTable table =
      Loaded("<Exit>Exit</Exit><Save>Save</Save><ZoomIn>Vergrößern</ZoomIn><ZoomOut>Kleiner</ZoomOut>");
  ASSERT_TRUE(localisation::ReadUiTexts(File("<Save>Speichern</Save><ZoomIn/>"), os, table));
  EXPECT_EQ(table[UiText::Exit].text, u"Exit");
  EXPECT_EQ(table[UiText::Save].text, u"Speichern");
  // A description the new file lacks, or gives empty, is English, so no
  // control is left with the previous language's (every description of the
  // window: the capture window's ControlDescriptions test).
  EXPECT_EQ(table[UiText::ZoomIn].text, u"Zoom in");
  EXPECT_EQ(table[UiText::ZoomOut].text, u"Zoom out");
  // No UIText element: nothing changes, and that counts as loaded.
  EXPECT_TRUE(localisation::ReadUiTexts("<Other><Save>x</Save></Other>", os, table));
  EXPECT_EQ(table[UiText::Save].text, u"Speichern");
  // An unreadable file changes nothing and fails.
  EXPECT_FALSE(localisation::ReadUiTexts("<UIText><Save>x</Save>", os, table));
  EXPECT_FALSE(localisation::ReadUiTexts("", os, table));
  EXPECT_FALSE(localisation::LoadUiTexts("/nonexistent/Language/XX.xml", os, table));
  EXPECT_EQ(table[UiText::Save].text, u"Speichern");
}

TEST(UiTextLoading, LongTextsAreCutTo255UnitsWithoutSplittingACharacter) {
  std::string longText, pairs;
  for (int i = 0; i < 300; ++i) longText += "\xC3\xA9";  // é
  for (int i = 0; i < 200; ++i) pairs += "\xF0\x9F\x93\xB7";  // U+1F4F7, two UTF-16 units
  EXPECT_EQ(Loaded("<Save>" + longText + "</Save>")[UiText::Save].text,
            std::u16string(255, u'\u00E9'));
  // The 255th unit would be the first half of a pair.
  const std::u16string text = Loaded("<Save>" + pairs + "</Save>")[UiText::Save].text;
  EXPECT_EQ(text.size(), 254u);
  EXPECT_EQ(text.back(), 0xDCF7);
}

TEST(UiTextLoading, PageCounterFollowsTheWordOrder) {
  // "Page 0" and "0 张" are the auto-capture dialog's (ControlTextsTest).
  UiTextTable table = Loaded("<Page>Page</Page><Pages>Pages</Pages>");
  table.WordType = 1;
  EXPECT_EQ(localisation::PageCounterText(table, 1), u"1 Page");
  EXPECT_EQ(localisation::PageCounterText(table, 2), u"2 Pages");
  table.WordType = 2;
  EXPECT_EQ(localisation::PageCounterText(table, 2), u"");
}

TEST(XmlInput, MalformedUtf8BecomesReplacementCharactersAndValidTextStays) {
  using localisation::PrepareXmlText;
  const std::string r = "\xEF\xBF\xBD";
  EXPECT_EQ(PrepareXmlText("a\xC3\xA9\xE6\xB0\xB4\xF0\x9F\x93\xB7z"), "a\xC3\xA9\xE6\xB0\xB4\xF0\x9F\x93\xB7z");
  // Lead bytes whose sequence is cut short, at the end or before other bytes.
  EXPECT_EQ(PrepareXmlText("a\xF4"), "a" + r);
  EXPECT_EQ(PrepareXmlText("\xF0\x9F\x93<"), r + r + r + "<");
  EXPECT_EQ(PrepareXmlText("\xE6\xB0"), r + r);
  // Stray continuation bytes, overlong forms, surrogates, beyond U+10FFFF.
  EXPECT_EQ(PrepareXmlText("\x80"), r);
  EXPECT_EQ(PrepareXmlText("\xC0\xAF"), r + r);
  EXPECT_EQ(PrepareXmlText("\xED\xA0\x80"), r + r + r);
  EXPECT_EQ(PrepareXmlText("\xF4\x90\x80\x80"), r + r + r + r);
  // Line ends as a file load gives them; nothing after a zero byte.
  EXPECT_EQ(PrepareXmlText("a\r\nb\rc\n"), "a\nb\nc\n");
  EXPECT_EQ(PrepareXmlText(std::string("ab\0cd", 5)), "ab");
  // A language file is read through it.
  EXPECT_EQ(Loaded("<Save>ok\xF4</Save><Exit>\xE9t\xE9</Exit>")[UiText::Exit].text, u"\uFFFDt\uFFFD");
}
