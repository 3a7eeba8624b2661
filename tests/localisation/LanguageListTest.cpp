// Reading the language list and choosing the default language.
#include <gtest/gtest.h>

#include <string>

#include "localisation/DefaultLanguage.h"
#include "localisation/LanguageFiles.h"
#include "platform/headless/HeadlessOs.h"

using localisation::LanguageList;

namespace {

LanguageList Read(const std::string& xml) {
  headless::HeadlessOs os;
  LanguageList list;
  localisation::ReadLanguageList(xml, os, list);
  return list;
}

}  // namespace

TEST(LanguageListReading, EntriesKeepFileOrderAndTakeTheFirstAttributeAsName) {
  const LanguageList list = Read(
      "<LanguageInfo><Language label=\"English\" IsShow=\"1\">EN</Language><!-- c -->text"
      "<Language IsEnable=\"1\" name=\"Deutsch\">DE</Language><Language title=\"\xE4\xB8\xAD\xE6\x96\x87\"> CN </Language>"
      "</LanguageInfo>");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].name, u"English");
  EXPECT_EQ(list[0].code, u"EN");
  EXPECT_EQ(list[1].name, u"1");  // whatever comes first names the entry
  EXPECT_EQ(list[1].code, u"DE");
  EXPECT_EQ(list[2].name, u"\u4E2D\u6587");
  EXPECT_EQ(list[2].code, u"CN");
}

TEST(LanguageListReading, FlagsCarryOverFromTheEntryBefore) {
  const LanguageList list = Read(
      "<LanguageInfo><Language name=\"A\">A</Language><Language name=\"B\" IsShow=\"0\">B</Language>"
      "<Language name=\"C\">C</Language><Language name=\"D\" IsEnable=\"0\">D</Language></LanguageInfo>");
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].IsShow, 1);
  EXPECT_EQ(list[0].IsEnable, 1);
  EXPECT_EQ(list[1].IsShow, 0);
  EXPECT_EQ(list[2].IsShow, 0);
  EXPECT_EQ(list[2].IsEnable, 1);
  // The last entry decides the state of the whole box.
  EXPECT_EQ(list.back().IsEnable, 0);
}

TEST(LanguageListReading, SiblingsOfAnyNameCountAndElementsWithoutAttributesAreEmpty) {
  const LanguageList list = Read(
      "<LanguageInfo><Other>x</Other><Language name=\"A\">A</Language><Lang>B</Lang><Language name=\"C\"/></LanguageInfo>");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1].name, u"");
  EXPECT_EQ(list[1].code, u"");
  EXPECT_EQ(list[2].name, u"C");
  EXPECT_EQ(list[2].code, u"");
}

TEST(LanguageListReading, AnEmptyOrUnreadableListReportsFailure) {
  headless::HeadlessOs os;
  LanguageList list{{u"Keep", u"KP", 1, 1}};
  EXPECT_FALSE(localisation::ReadLanguageList("<LanguageInfo>", os, list));
  EXPECT_EQ(list.size(), 1u);
  EXPECT_FALSE(localisation::LoadLanguageList("/nonexistent/Language.xml", os, list));
  EXPECT_EQ(list.size(), 1u);
  // A readable list without entries empties the list.
  EXPECT_FALSE(localisation::ReadLanguageList("<LanguageInfo><!-- none --></LanguageInfo>", os, list));
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(localisation::ReadLanguageList("<Languages><Language name=\"A\">A</Language></Languages>", os, list));
}

TEST(DefaultLanguage, LanguageIdentifiersMapToTheirCodes) {
  EXPECT_EQ(localisation::DefaultLanguageCode(2052), "CN");
  EXPECT_EQ(localisation::DefaultLanguageCode(1028), "CN");
  EXPECT_EQ(localisation::DefaultLanguageCode(5124), "EN");  // Chinese, Macao
  EXPECT_EQ(localisation::DefaultLanguageCode(1031), "DE");
  EXPECT_EQ(localisation::DefaultLanguageCode(5127), "DE");
  EXPECT_EQ(localisation::DefaultLanguageCode(20490), "ES");
  EXPECT_EQ(localisation::DefaultLanguageCode(3082), "ES");
  EXPECT_EQ(localisation::DefaultLanguageCode(5132), "FR");
  EXPECT_EQ(localisation::DefaultLanguageCode(2064), "IT");
  EXPECT_EQ(localisation::DefaultLanguageCode(1042), "KO");
  EXPECT_EQ(localisation::DefaultLanguageCode(2067), "DU");
  EXPECT_EQ(localisation::DefaultLanguageCode(2070), "PT");
  EXPECT_EQ(localisation::DefaultLanguageCode(1046), "PT");
  EXPECT_EQ(localisation::DefaultLanguageCode(1033), "EN");
  EXPECT_EQ(localisation::DefaultLanguageCode(7), "EN");  // primary language alone does not match
  EXPECT_EQ(localisation::DefaultLanguageCode(0), "EN");
}

TEST(LanguagePaths, OnlyPlainShortCodesNameALanguageFile) {
  EXPECT_EQ(localisation::LanguageFilePath("C:\\Prismel", "DE"), "C:\\Prismel\\Language\\DE.xml");
  EXPECT_EQ(localisation::LanguageFilePath("C:\\Prismel", "..\\..\\secret"), "C:\\Prismel\\Language\\EN.xml");
  EXPECT_EQ(localisation::LanguageFilePath("C:\\Prismel", "a/b"), "C:\\Prismel\\Language\\EN.xml");
  EXPECT_EQ(localisation::LanguageFilePath("C:\\Prismel", "D:x"), "C:\\Prismel\\Language\\EN.xml");
  EXPECT_EQ(localisation::LanguageFilePath("C:\\Prismel", ""), "C:\\Prismel\\Language\\EN.xml");
  EXPECT_EQ(localisation::LanguageFilePath("C:\\Prismel", std::string(17, 'A')), "C:\\Prismel\\Language\\EN.xml");
  EXPECT_EQ(localisation::LanguageListPath("C:\\Prismel"), "C:\\Prismel\\Language\\Language.xml");
}
