// Loading a language file into the UI text table, and switching from one
// language to another.
#include <gtest/gtest.h>

#include <string>

#include "localisation/LanguageFiles.h"
#include "localisation/UiTextTable.h"
#include "platform/headless/HeadlessOs.h"

using localisation::UiTextTable;

namespace {

std::string File(const std::string& body) { return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<UIText>" + body + "</UIText>"; }

UiTextTable Loaded(const std::string& body, UiTextTable table = UiTextTable{}) {
  headless::HeadlessOs os;
  EXPECT_TRUE(localisation::ReadUiTexts(File(body), os, table));
  return table;
}

}  // namespace

TEST(UiTextLoading, EntriesStartEmptyHiddenAndDisabledButDescriptionsInEnglish) {
  const UiTextTable table;
  for (size_t i = 0; i < localisation::kUiTextKeyCount; ++i) {
    const localisation::UiTextEntry& entry = table[static_cast<localisation::UiText>(i)];
    const std::string key = localisation::kUiTextKeys[i];
    if (key == "ZoomIn") {
      EXPECT_EQ(entry.text, u"Zoom in");
    } else if (key == "LivePicture") {
      EXPECT_EQ(entry.text, u"Live picture");
    } else if (key != "ZoomOut" && key != "ActualSize" && key != "CaptureKey") {
      EXPECT_EQ(entry.text, u"") << key;
    }
    EXPECT_EQ(entry.IsShow, 0) << localisation::kUiTextKeys[i];
    EXPECT_EQ(entry.IsEnable, 0) << localisation::kUiTextKeys[i];
  }
  EXPECT_EQ(table.WordType, 0);
}

TEST(UiTextLoading, AttributesAndTextAreReadPerKey) {
  const UiTextTable table = Loaded(
      "<Save IsShow=\"1\" IsEnable=\"7\">Save</Save><Exit IsShow=\"0\">  Leave \n now </Exit>"
      "<Capture IsEnable=\"x\">Shoot &amp; go</Capture><WordType>1</WordType>");
  EXPECT_EQ(table[localisation::UiText::Save].text, u"Save");
  EXPECT_EQ(table[localisation::UiText::Save].IsShow, 1);
  EXPECT_EQ(table[localisation::UiText::Save].IsEnable, 7);
  EXPECT_EQ(table[localisation::UiText::Exit].text, u"Leave now");
  EXPECT_EQ(table[localisation::UiText::Exit].IsShow, 0);
  EXPECT_EQ(table[localisation::UiText::Capture].text, u"Shoot & go");
  EXPECT_EQ(table[localisation::UiText::Capture].IsEnable, 0);
  EXPECT_EQ(table.WordType, 1);
}

TEST(UiTextLoading, AMissingAttributeOrTextKeepsWhatTheEntryHad) {
  UiTextTable start = Loaded("<Save IsShow=\"1\" IsEnable=\"1\">Save</Save><Exit IsShow=\"1\">Exit</Exit><WordType>1</WordType>");
  const UiTextTable table = Loaded(
      "<Save IsShow=\"0\"/><Exit>Quit</Exit><WordType></WordType>", start);
  EXPECT_EQ(table[localisation::UiText::Save].text, u"Save");  // attributes without text change only flags
  EXPECT_EQ(table[localisation::UiText::Save].IsShow, 0);
  EXPECT_EQ(table[localisation::UiText::Save].IsEnable, 1);
  EXPECT_EQ(table[localisation::UiText::Exit].text, u"Quit");
  EXPECT_EQ(table[localisation::UiText::Exit].IsShow, 1);
  EXPECT_EQ(table.WordType, 1);  // a WordType without text keeps the word order
}

TEST(UiTextLoading, TheFirstOfTwoElementsCountsAndKeysAreCaseSensitive) {
  const UiTextTable table = Loaded("<save>lower</save><Save>first</Save><Save IsShow=\"1\">second</Save>");
  EXPECT_EQ(table[localisation::UiText::Save].text, u"first");
  EXPECT_EQ(table[localisation::UiText::Save].IsShow, 0);
}

TEST(UiTextLoading, SwitchingToAnIncompleteFileKeepsThePreviousLanguagesEntries) {
  headless::HeadlessOs os;
  UiTextTable table = Loaded("<Exit IsShow=\"1\" IsEnable=\"1\">Exit</Exit><Save IsShow=\"1\">Save</Save>");
  ASSERT_TRUE(localisation::ReadUiTexts(File("<Save IsShow=\"1\">Speichern</Save>"), os, table));
  EXPECT_EQ(table[localisation::UiText::Exit].text, u"Exit");
  EXPECT_EQ(table[localisation::UiText::Save].text, u"Speichern");
  // No UIText element: nothing changes, and that counts as loaded.
  EXPECT_TRUE(localisation::ReadUiTexts("<Other><Save>x</Save></Other>", os, table));
  EXPECT_EQ(table[localisation::UiText::Save].text, u"Speichern");
}

TEST(UiTextLoading, ADescriptionMissingFromAFileIsEnglishNotThePreviousLanguages) {
  headless::HeadlessOs os;
  UiTextTable table = Loaded("<ZoomIn>Vergrößern</ZoomIn><ZoomOut>Verkleinern</ZoomOut>");
  EXPECT_EQ(table[localisation::UiText::ZoomIn].text, u"Vergr\u00F6\u00DFern");
  ASSERT_TRUE(localisation::ReadUiTexts(File("<ZoomOut>Uitzoomen</ZoomOut><ZoomIn/>"), os, table));
  EXPECT_EQ(table[localisation::UiText::ZoomIn].text, u"Zoom in");
  EXPECT_EQ(table[localisation::UiText::ZoomOut].text, u"Uitzoomen");
  EXPECT_EQ(table[localisation::UiText::ActualSize].text, u"Actual size");
  EXPECT_EQ(table[localisation::UiText::CaptureKey].text, u"Space bar: capture");
}

TEST(UiTextLoading, AnUnreadableFileLeavesTheTableUnchanged) {
  headless::HeadlessOs os;
  UiTextTable table = Loaded("<Save IsShow=\"1\">Save</Save>");
  EXPECT_FALSE(localisation::ReadUiTexts("<UIText><Save>x</Save>", os, table));
  EXPECT_FALSE(localisation::ReadUiTexts("", os, table));
  EXPECT_FALSE(localisation::LoadUiTexts("/nonexistent/Language/XX.xml", os, table));
  EXPECT_EQ(table[localisation::UiText::Save].text, u"Save");
}

TEST(UiTextLoading, LongTextsAreCutTo255UnitsWithoutSplittingACharacter) {
  std::string longText;
  for (int i = 0; i < 300; ++i) longText += "\xC3\xA9";  // é
  EXPECT_EQ(Loaded("<Save>" + longText + "</Save>")[localisation::UiText::Save].text, std::u16string(255, u'\u00E9'));

  // The 255th unit would be the first half of a pair.
  std::string pairs;
  for (int i = 0; i < 200; ++i) pairs += "\xF0\x9F\x93\xB7";  // U+1F4F7, two UTF-16 units
  const std::u16string text = Loaded("<Save>" + pairs + "</Save>")[localisation::UiText::Save].text;
  EXPECT_EQ(text.size(), 254u);
  EXPECT_EQ(text.back(), 0xDCF7);
}

TEST(UiTextLoading, PageCounterFollowsTheWordOrder) {
  UiTextTable table = Loaded("<Page>Page</Page><Pages>Pages</Pages>");
  table.WordType = 0;
  EXPECT_EQ(localisation::PageCounterText(table, 3), u"Page 3");
  table.WordType = 1;
  EXPECT_EQ(localisation::PageCounterText(table, 1), u"1 Page");
  EXPECT_EQ(localisation::PageCounterText(table, 0), u"0 Page");
  EXPECT_EQ(localisation::PageCounterText(table, 2), u"2 Pages");
  table.WordType = 2;
  EXPECT_EQ(localisation::PageCounterText(table, 2), u"");
}
