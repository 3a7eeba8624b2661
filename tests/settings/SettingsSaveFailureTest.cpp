// Saving never damages the settings file: whatever fails, the previous file
// stays byte for byte, and no temporary file is left behind. A folder that
// takes no new file still gets its settings file rewritten in place.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "platform/headless/HeadlessOs.h"
#include "settings/SettingsFile.h"

using settings::SessionSettings;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

namespace {

const char kPrevious[] = "<?xml version=\"1.0\" ?>\r\n<Tessivue>\r\n    <colorType>3</colorType>\r\n</Tessivue>\r\n";

SessionSettings Changed() {
  SessionSettings s;
  s.colorType = 1;
  s.WaterMark.text = "new";
  return s;
}

// Fails the way a full disk does: part of the data is written.
class FullDiskOs : public headless::HeadlessOs {
 public:
  bool WriteFileBytes(const std::string& path, const std::string& bytes) override {
    (void)HeadlessOs::WriteFileBytes(path, bytes.substr(0, bytes.size() / 2));
    return false;
  }
};

// A folder without write access whose files are writable: no file can be
// created, existing ones can be rewritten. Optionally the first rewrite
// stops halfway.
class NoNewFilesOs : public headless::HeadlessOs {
 public:
  bool WriteFileBytes(const std::string& path, const std::string& bytes) override {
    if (!std::filesystem::exists(path)) return false;
    if (failWritesOfExistingFilesOnce) {
      failWritesOfExistingFilesOnce = false;
      (void)HeadlessOs::WriteFileBytes(path, bytes.substr(0, bytes.size() / 2));
      return false;
    }
    return HeadlessOs::WriteFileBytes(path, bytes);
  }
  bool failWritesOfExistingFilesOnce = false;
};

class FailingReplaceOs : public headless::HeadlessOs {
 public:
  bool ReplaceFileAtomically(const std::string&, const std::string&) override { return false; }
};

bool OnlyTheSettingsFileIsLeft(const TempFolder& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    if (entry.path().filename() != "LastSetting.xml") return false;
    ++count;
  }
  return count == 1;
}

}  // namespace

TEST(SettingsSave, ReplacesThePreviousFileWholeAndLeavesNoTemporaryFile) {
  TempFolder folder;
  headless::HeadlessOs os;
  WriteBytes(folder.File("LastSetting.xml"), std::string(5000, 'x'));  // longer than the new file
  ASSERT_TRUE(settings::SaveSessionSettingsFile(os, folder.Path() + "\\LastSetting.xml", Changed()));
  EXPECT_EQ(ReadBytes(folder.File("LastSetting.xml")), settings::FormatSessionSettings(Changed(), os));
  EXPECT_TRUE(OnlyTheSettingsFileIsLeft(folder));
  // A stale temporary file from an interrupted save does not stop the next one.
  WriteBytes(folder.File("LastSetting.xml.tmp"), "stale");
  ASSERT_TRUE(settings::SaveSessionSettingsFile(os, folder.Path() + "\\LastSetting.xml", SessionSettings{}));
  EXPECT_EQ(ReadBytes(folder.File("LastSetting.xml")), settings::FormatSessionSettings(SessionSettings{}, os));
  EXPECT_TRUE(OnlyTheSettingsFileIsLeft(folder));
}

TEST(SettingsSave, WhereNoTemporaryFileCanBeMadeTheFileIsWrittenInPlace) {
  TempFolder folder;
  headless::HeadlessOs os;
  WriteBytes(folder.File("LastSetting.xml"), kPrevious);
  std::filesystem::create_directory(folder.File("LastSetting.xml.tmp"));
  EXPECT_TRUE(settings::SaveSessionSettingsFile(os, folder.File("LastSetting.xml"), Changed()));
  EXPECT_EQ(ReadBytes(folder.File("LastSetting.xml")), settings::FormatSessionSettings(Changed(), os));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("LastSetting.xml.tmp")));
}

TEST(SettingsSave, AFolderThatTakesNoNewFileStillGetsItsSettingsFileRewritten) {
  TempFolder folder;
  NoNewFilesOs os;
  WriteBytes(folder.File("LastSetting.xml"), kPrevious);
  EXPECT_TRUE(settings::SaveSessionSettingsFile(os, folder.File("LastSetting.xml"), Changed()));
  EXPECT_EQ(ReadBytes(folder.File("LastSetting.xml")), settings::FormatSessionSettings(Changed(), os));
  EXPECT_TRUE(OnlyTheSettingsFileIsLeft(folder));
  // Without an earlier file there is nothing to write in place.
  std::filesystem::remove(folder.File("LastSetting.xml"));
  EXPECT_FALSE(settings::SaveSessionSettingsFile(os, folder.File("LastSetting.xml"), Changed()));
  EXPECT_FALSE(std::filesystem::exists(folder.File("LastSetting.xml")));
}

TEST(SettingsSave, AnInPlaceWriteThatStopsHalfwayPutsThePreviousFileBack) {
  TempFolder folder;
  NoNewFilesOs os;
  os.failWritesOfExistingFilesOnce = true;
  WriteBytes(folder.File("LastSetting.xml"), kPrevious);
  EXPECT_FALSE(settings::SaveSessionSettingsFile(os, folder.File("LastSetting.xml"), Changed()));
  EXPECT_EQ(ReadBytes(folder.File("LastSetting.xml")), kPrevious);
}

TEST(SettingsSave, AFailingWriteKeepsThePreviousFileAndRemovesThePartialOne) {
  TempFolder folder;
  FullDiskOs os;
  WriteBytes(folder.File("LastSetting.xml"), kPrevious);
  EXPECT_FALSE(settings::SaveSessionSettingsFile(os, folder.File("LastSetting.xml"), Changed()));
  EXPECT_EQ(ReadBytes(folder.File("LastSetting.xml")), kPrevious);
  EXPECT_TRUE(OnlyTheSettingsFileIsLeft(folder));
}

TEST(SettingsSave, AFailingReplaceKeepsThePreviousFileAndRemovesTheNewOne) {
  TempFolder folder;
  FailingReplaceOs os;
  WriteBytes(folder.File("LastSetting.xml"), kPrevious);
  EXPECT_FALSE(settings::SaveSessionSettingsFile(os, folder.File("LastSetting.xml"), Changed()));
  EXPECT_EQ(ReadBytes(folder.File("LastSetting.xml")), kPrevious);
  EXPECT_TRUE(OnlyTheSettingsFileIsLeft(folder));
}

TEST(SettingsSave, AMissingFolderFailsWithoutCreatingAnything) {
  TempFolder folder;
  headless::HeadlessOs os;
  EXPECT_FALSE(settings::SaveSessionSettingsFile(os, folder.File("missing/LastSetting.xml"), Changed()));
  EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
}

TEST(SettingsSave, AReadOnlyFolderWithAWritableFileGetsTheNewSettings) {
  TempFolder folder;
  headless::HeadlessOs os;
  WriteBytes(folder.File("LastSetting.xml"), kPrevious);
  ASSERT_EQ(::chmod(folder.File("LastSetting.xml").c_str(), 0666), 0);
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
  // The save runs in a child that folder permissions stop: root gives up
  // its rights for an unprivileged user's first.
  const pid_t child = ::fork();
  if (child == 0) {
    const uid_t nobody = 65534;
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
                             ::setresuid(nobody, nobody, nobody) != 0)) {
      ::_exit(2);
    }
    if (::creat(folder.File("probe").c_str(), 0666) >= 0) ::_exit(3);  // the folder is not read-only
    ::_exit(settings::SaveSessionSettingsFile(os, folder.File("LastSetting.xml"), Changed()) ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "2: could not drop root, 3: the folder took a new file, 1: the save failed";
  EXPECT_EQ(ReadBytes(folder.File("LastSetting.xml")), settings::FormatSessionSettings(Changed(), os));
  EXPECT_TRUE(OnlyTheSettingsFileIsLeft(folder));
}
