// What the XML parser is given: a file's bytes made safe for it.
#include <gtest/gtest.h>

#include <string>

#include "localisation/LanguageFiles.h"
#include "localisation/XmlReading.h"
#include "platform/headless/HeadlessOs.h"

TEST(XmlInput, MalformedUtf8BecomesReplacementCharactersAndValidTextStays) {
  using localisation::PrepareXmlText;
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(PrepareXmlText("a\xC3\xA9\xE6\xB0\xB4\xF0\x9F\x93\xB7z"), "a\xC3\xA9\xE6\xB0\xB4\xF0\x9F\x93\xB7z");
  // Lead bytes whose sequence is cut short, at the end or before other bytes.
  EXPECT_EQ(PrepareXmlText("a\xF4"), "a" + replacement);
  EXPECT_EQ(PrepareXmlText("\xF0\x9F\x93<"), replacement + replacement + replacement + "<");
  EXPECT_EQ(PrepareXmlText("\xE6\xB0"), replacement + replacement);
  // Stray continuation bytes, overlong forms, surrogates, beyond U+10FFFF.
  EXPECT_EQ(PrepareXmlText("\x80"), replacement);
  EXPECT_EQ(PrepareXmlText("\xC0\xAF"), replacement + replacement);
  EXPECT_EQ(PrepareXmlText("\xED\xA0\x80"), replacement + replacement + replacement);
  EXPECT_EQ(PrepareXmlText("\xF4\x90\x80\x80"), replacement + replacement + replacement + replacement);
  // Line ends as a file load gives them; nothing after a zero byte.
  EXPECT_EQ(PrepareXmlText("a\r\nb\rc\n"), "a\nb\nc\n");
  EXPECT_EQ(PrepareXmlText(std::string("ab\0cd", 5)), "ab");
}

TEST(XmlInput, ALanguageFileWithACutSequenceLoadsWithAReplacementCharacter) {
  headless::HeadlessOs os;
  localisation::UiTextTable table;
  ASSERT_TRUE(localisation::ReadUiTexts("<UIText><Save>ok\xF4</Save><Exit>\xE9t\xE9</Exit></UIText>", os, table));
  EXPECT_EQ(table[localisation::UiText::Save].text, u"ok\uFFFD");
  EXPECT_EQ(table[localisation::UiText::Exit].text, u"\uFFFDt\uFFFD");
}
