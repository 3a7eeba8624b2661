// Saving never damages the settings file: whatever fails, the previous file
// stays byte for byte, and no temporary file is left behind. A folder that
// takes no new file (one without write access) still gets its settings file
// rewritten in place.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

#include "platform/headless/HeadlessOs.h"
#include "settings/SettingsFile.h"
#include "support/TestFolder.h"

using settings::SessionSettings;
using testing_support::TestFolder;

namespace {

const char kPrevious[] = "<?xml version=\"1.0\" ?>\r\n<Tessivue>\r\n    <colorType>3</colorType>\r\n</Tessivue>\r\n";

SessionSettings Changed() {
  SessionSettings s;
  s.colorType = 1;
  s.WaterMark.text = "new";
  return s;
}

// An Os whose writes fail the way a full disk (half written, `full`) or a
// folder without write access (no new file, `noNewFiles`) makes them fail,
// once also for an existing file (`failRewriteOnce`), or whose atomic
// replace fails (`failReplace`).
struct FailingOs : headless::HeadlessOs {
  bool full = false, noNewFiles = false, failRewriteOnce = false, failReplace = false;
  bool WriteFileBytes(const std::string& path, const std::string& bytes) override {
    const bool exists = std::filesystem::exists(path);
    if (noNewFiles && !exists) return false;
    if (full || (exists && failRewriteOnce)) {
      failRewriteOnce = false;
      (void)HeadlessOs::WriteFileBytes(path, bytes.substr(0, bytes.size() / 2));
      return false;
    }
    return HeadlessOs::WriteFileBytes(path, bytes);
  }
  bool ReplaceFileAtomically(const std::string& from, const std::string& to) override {
    return !failReplace && HeadlessOs::ReplaceFileAtomically(from, to);
  }
};

bool OnlyTheSettingsFileIsLeft(const TestFolder& folder) {
  const std::filesystem::directory_iterator entries(folder.Path());
  return std::distance(begin(entries), end(entries)) == 1 &&
         std::filesystem::exists(folder.Path() / "LastSetting.xml");
}

class SettingsSave : public ::testing::Test {
 protected:
  void SetUp() override { folder.WriteFile("LastSetting.xml", kPrevious); }
  bool Save(headless::HeadlessOs& with, const SessionSettings& record = Changed()) {
    return settings::SaveSessionSettingsFile(with, folder.File("LastSetting.xml"), record);
  }
  std::string Saved() const { return folder.ReadFile("LastSetting.xml"); }
  std::string Expected(const SessionSettings& record = Changed()) {
    return settings::FormatSessionSettings(record, os);
  }
  TestFolder folder;
  FailingOs os;
};

TEST_F(SettingsSave, ReplacesThePreviousFileWholeAndLeavesNoTemporaryFile) {
  folder.WriteFile("LastSetting.xml", std::string(5000, 'x'));  // longer than the new file
  ASSERT_TRUE(settings::SaveSessionSettingsFile(os, folder.String() + "\\LastSetting.xml", Changed()));
  EXPECT_EQ(Saved(), Expected());
  EXPECT_TRUE(OnlyTheSettingsFileIsLeft(folder));
  // A stale temporary file from an interrupted save does not stop the next one.
  folder.WriteFile("LastSetting.xml.tmp", "stale");
  ASSERT_TRUE(Save(os, SessionSettings{}));
  EXPECT_EQ(Saved(), Expected(SessionSettings{}));
  EXPECT_TRUE(OnlyTheSettingsFileIsLeft(folder));
}

TEST_F(SettingsSave, WhereNoTemporaryFileCanBeMadeTheFileIsWrittenInPlace) {
  std::filesystem::create_directory(folder.File("LastSetting.xml.tmp"));
  EXPECT_TRUE(Save(os));
  EXPECT_EQ(Saved(), Expected());
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("LastSetting.xml.tmp")));
  os.noNewFiles = true;
  std::filesystem::remove(folder.File("LastSetting.xml.tmp"));
  EXPECT_TRUE(Save(os, SessionSettings{}));
  EXPECT_EQ(Saved(), Expected(SessionSettings{}));
  EXPECT_TRUE(OnlyTheSettingsFileIsLeft(folder));
  // Without an earlier file there is nothing to write in place.
  std::filesystem::remove(folder.File("LastSetting.xml"));
  EXPECT_FALSE(Save(os));
  EXPECT_FALSE(std::filesystem::exists(folder.File("LastSetting.xml")));
}

TEST_F(SettingsSave, AFailingWriteOrReplaceKeepsThePreviousFileAndLeavesNothingElse) {
  for (bool FailingOs::*failure : {&FailingOs::full, &FailingOs::failReplace, &FailingOs::noNewFiles}) {
    FailingOs failing;
    failing.*failure = true;
    failing.failRewriteOnce = true;  // the in-place write also stops halfway
    EXPECT_FALSE(Save(failing));
    EXPECT_EQ(Saved(), kPrevious);
    EXPECT_TRUE(OnlyTheSettingsFileIsLeft(folder));
  }
  EXPECT_FALSE(settings::SaveSessionSettingsFile(os, folder.File("missing/LastSetting.xml"), Changed()));
  EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
}

}  // namespace
