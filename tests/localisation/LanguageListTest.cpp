// Reading the language list, choosing the default language, and the paths
// of the language files.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

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

TEST(DefaultLanguage, EachListedLanguageIdentifierGivesItsCodeAndEveryOtherEnglish) {
  const std::map<uint16_t, const char*> listed = [] {
    const std::pair<const char*, std::vector<uint16_t>> codes[] = {
        {"CN", {1028, 2052, 3076, 4100}},
        {"DE", {1031, 2055, 3079, 4103, 5127}},
        {"ES", {1034, 2058, 3082, 4106, 5130, 6154, 7178, 8202, 9226, 10250, 11274, 12298, 13322,
                14346, 15370, 16394, 17418, 18442, 19466, 20490}},
        {"FR", {1036, 2060, 3084, 4108, 5132}},
        {"IT", {1040, 2064}}, {"KO", {1042, 2066}}, {"DU", {1043, 2067}}, {"PT", {1046, 2070}}};
    std::map<uint16_t, const char*> ids;
    for (const auto& [code, list] : codes) {
      for (uint16_t id : list) ids[id] = code;
    }
    return ids;
  }();
  for (uint32_t id = 0; id <= 0xFFFF; ++id) {
    const auto code = listed.find(static_cast<uint16_t>(id));
    const std::string expected = code != listed.end() ? code->second : "EN";
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
