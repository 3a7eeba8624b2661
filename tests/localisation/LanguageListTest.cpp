// Reading the language list, choosing the default language, and the paths
// of the language files.
#include <gtest/gtest.h>

#include <string>

#include "localisation/DefaultLanguage.h"
#include "localisation/LanguageFiles.h"
#include "platform/headless/HeadlessOs.h"

using localisation::LanguageList;

namespace {

// Each entry as "name=code show enable", after a read that returned `read`.
std::string Read(const std::string& xml, bool read = true) {
  headless::HeadlessOs os;
  LanguageList list{{u"Kept", u"KP", 1, 1}};
  EXPECT_EQ(localisation::ReadLanguageList(xml, os, list), read) << xml;
  std::string out;
  for (const auto& entry : list) {
    out += os.WideToUtf8(entry.name) + "=" + os.WideToUtf8(entry.code) + " " +
           std::to_string(entry.IsShow) + " " + std::to_string(entry.IsEnable) + ";";
  }
  return out;
}

}  // namespace

TEST(LanguageListReading, EntriesKeepFileOrderTakeTheFirstAttributeAsNameAndCarryFlagsOver) {
  EXPECT_EQ(Read("<LanguageInfo><Language label=\"English\" IsShow=\"1\">EN</Language><!-- c -->t"
                 "<Language IsEnable=\"1\" name=\"Deutsch\">DE</Language>"
                 "<Language title=\"\xE4\xB8\xAD\xE6\x96\x87\"> CN </Language></LanguageInfo>"),
            "English=EN 1 1;1=DE 1 1;\xE4\xB8\xAD\xE6\x96\x87=CN 1 1;");
  EXPECT_EQ(Read("<LanguageInfo><Language name=\"A\">A</Language><Language name=\"B\" IsShow=\"0\">"
                 "B</Language><Language name=\"C\">C</Language><Language name=\"D\" IsEnable=\"0\">"
                 "D</Language></LanguageInfo>"),
            "A=A 1 1;B=B 0 1;C=C 0 1;D=D 0 0;");
  // Siblings of any name count; an element without attributes is empty.
  EXPECT_EQ(Read("<LanguageInfo><Other>x</Other><Language name=\"A\">A</Language><Lang>B</Lang>"
                 "<Language name=\"C\"/></LanguageInfo>"),
            "A=A 1 1;= 1 1;C= 1 1;");
}

TEST(LanguageListReading, AnEmptyOrUnreadableListReportsFailure) {
  EXPECT_EQ(Read("<LanguageInfo>", false), "Kept=KP 1 1;");
  // A readable file without entries, or of another kind, empties the list.
  EXPECT_EQ(Read("<LanguageInfo><!-- none --></LanguageInfo>", false), "");
  EXPECT_EQ(Read("<Languages><Language name=\"A\">A</Language></Languages>", false), "");
  headless::HeadlessOs os;
  LanguageList list;
  EXPECT_FALSE(localisation::LoadLanguageList("/nonexistent/Language.xml", os, list));
}

// A language identifier is a primary language in its low ten bits and a
// sublanguage above them: Chinese 1-4 are Taiwan, China, Hong Kong and
// Singapore (Macao, 5, has no file), Spanish 1-20 every Spanish-speaking
// country, and so on.
TEST(DefaultLanguage, EachListedLanguageIdentifierGivesItsCodeAndEveryOtherEnglish) {
  const struct {
    const char* code;
    uint16_t primary, sublanguages;
  } listed[] = {{"CN", 0x04, 4}, {"DE", 0x07, 5}, {"ES", 0x0A, 20}, {"FR", 0x0C, 5},
                {"IT", 0x10, 2}, {"KO", 0x12, 2}, {"DU", 0x13, 2}, {"PT", 0x16, 2}};
  for (uint32_t id = 0; id <= 0xFFFF; ++id) {
    std::string expected = "EN";
    for (const auto& language : listed) {
      const uint32_t sublanguage = id >> 10;
      if ((id & 0x3FF) == language.primary && sublanguage >= 1 &&
          sublanguage <= language.sublanguages) {
        expected = language.code;
      }
    }
    ASSERT_EQ(localisation::DefaultLanguageCode(static_cast<uint16_t>(id)), expected) << id;
  }
}

TEST(LanguagePaths, OnlyPlainShortCodesNameALanguageFile) {
  EXPECT_EQ(localisation::LanguageFilePath("C:\\Prismel", "DE"), "C:\\Prismel\\Language\\DE.xml");
  const std::string bad[] = {"..\\..\\secret", "a/b", "D:x", "", std::string(17, 'A')};
  for (const std::string& code : bad) {
    EXPECT_EQ(localisation::LanguageFilePath("C:\\Prismel", code), "C:\\Prismel\\Language\\EN.xml");
  }
  EXPECT_EQ(localisation::LanguageListPath("C:\\Prismel"), "C:\\Prismel\\Language\\Language.xml");
}
