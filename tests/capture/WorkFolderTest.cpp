// The work folder at start-up: what an earlier run left is deleted, nothing
// outside the folder is touched, and the camera library creates it again.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "camera/CameraLibrary.h"
#include "support/KelpraHooks.h"
#include "support/RecordingOs.h"
#include "support/TestFolder.h"
#include "support/UserTempFolder.h"
#include "capture/WorkFolder.h"
#include "platform/headless/HeadlessOs.h"

namespace {

namespace fs = std::filesystem;
using capture::EmptyAndRemove;
using capture::RecreateWorkFolder;

const std::string kKelpra = KELPRA_LIBRARY_PATH;

// The diagnostic lines, GBK-encoded as the program writes them.
std::string EnteringLine(const std::string& folder) {
  return "\xc4\xbf\xc2\xbc\xce\xaa:" + folder + "/n";
}
std::string RemoveFailedLine(const std::string& folder) {
  return "\xc9\xbe\xb3\xfd" + folder + "\xc4\xbf\xc2\xbc\xca\xa7\xb0\xdc\xa3\xa1/n";
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

class WorkFolderTest : public ::testing::Test {
 protected:
  WorkFolderTest() { os.tempPath = real.AnsiToWide(temp); }

  testing_support::TestFolder folder;
  const std::string temp = folder.String() + "/";
  // The work folder as the program spells it, and where it really is.
  const std::string work = temp + "\\Dorvel";
  const fs::path workOnDisk = folder.Path() / "Dorvel";
  headless::HeadlessOs real;
  testing_support::RecordingOs os{real};
};

TEST_F(WorkFolderTest, LeftoversAreGoneAndTheLibraryCreatesTheFolderAgain) {
  folder.WriteFile("Dorvel/1_5000.bmp");
  folder.WriteFile("Dorvel/Merge_5000.jpg");
  folder.WriteFile("Dorvel/sub/2_77.png");
  folder.WriteFile("Dorvel/sub/deeper/note.txt");
  fs::create_directories(workOnDisk / "empty");
  camera::CameraLibrary library(os);
  ASSERT_TRUE(library.Load(kKelpra));
  testing_support::KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());

  EXPECT_EQ(RecreateWorkFolder(os, library), work);

  EXPECT_TRUE(fs::is_directory(workOnDisk));
  for (const char* gone : {"1_5000.bmp", "Merge_5000.jpg", "sub", "empty"}) {
    EXPECT_FALSE(fs::exists(workOnDisk / gone)) << gone;
  }
  EXPECT_EQ(hooks.CallLog(), "camCreateDirectory(\"" + work + "\")\n");
  const std::string& out = os.standardOutput;
  EXPECT_NE(out.find(EnteringLine(work + "//sub")), std::string::npos) << out;
  EXPECT_NE(out.find(EnteringLine(work + "//sub//deeper")), std::string::npos) << out;
  EXPECT_NE(out.find(EnteringLine(work + "//empty")), std::string::npos) << out;
  EXPECT_EQ(out.find("\xc9\xbe\xb3\xfd"), std::string::npos) << "a removal failed: " << out;
}

TEST_F(WorkFolderTest, AMissingFolderOnlyCostsTheDiagnosticLine) {
  EXPECT_FALSE(EmptyAndRemove(os, work));
  EXPECT_EQ(os.standardOutput, RemoveFailedLine(work));

  camera::CameraLibrary library(os);
  ASSERT_TRUE(library.Load(kKelpra));
  EXPECT_EQ(RecreateWorkFolder(os, library), work);
  EXPECT_TRUE(fs::is_directory(workOnDisk));
}

TEST_F(WorkFolderTest, AFolderTheLibraryDidNotCreateIsCreatedByTheProgram) {
  camera::CameraLibrary library(os);
  ASSERT_TRUE(library.Load(kKelpra));
  testing_support::KelpraHooks hooks(library);
  ASSERT_EQ(hooks.FailNext("camCreateDirectory", 1, -5), 0);
  EXPECT_EQ(RecreateWorkFolder(os, library), work);
  EXPECT_TRUE(fs::is_directory(workOnDisk));
  EXPECT_EQ(os.createdFolders, std::vector<std::string>{work});

  // Where no folder can be made there is no work folder (a folder of /proc
  // takes no new entry, not even from root).
  os.tempPath = u"/proc/self/";
  ASSERT_EQ(hooks.FailNext("camCreateDirectory", 1, -5), 0);
  EXPECT_EQ(RecreateWorkFolder(os, library), std::nullopt);
}

TEST_F(WorkFolderTest, LinksAreRemovedThemselvesAndNeverFollowed) {
  const fs::path outside = folder.WriteFile("outside/keep.txt").parent_path();
  folder.WriteFile("outside/inner/keep.txt");
  const fs::path outsideFile = folder.WriteFile("outside-file.txt");
  fs::create_directories(workOnDisk / "sub");
  fs::create_directory_symlink(outside, workOnDisk / "toFolder");
  fs::create_symlink(outsideFile, workOnDisk / "toFile");
  fs::create_directory_symlink(outside, workOnDisk / "sub" / "nested");
  fs::create_symlink(folder.Path() / "nowhere", workOnDisk / "dangling");

  EXPECT_TRUE(EmptyAndRemove(os, work));

  EXPECT_FALSE(fs::exists(fs::symlink_status(workOnDisk)));
  EXPECT_TRUE(fs::exists(outside / "keep.txt"));
  EXPECT_TRUE(fs::exists(outside / "inner" / "keep.txt"));
  EXPECT_TRUE(fs::exists(outsideFile));
  for (const std::string& listed : os.listedFolders) {
    EXPECT_TRUE(listed == work || listed == work + "//sub") << "listed " << listed;
  }
}

TEST_F(WorkFolderTest, AWorkFolderThatIsALinkLosesOnlyTheLink) {
  const fs::path elsewhere = folder.WriteFile("elsewhere/precious.txt").parent_path();
  fs::create_directory_symlink(elsewhere, workOnDisk);

  EXPECT_TRUE(EmptyAndRemove(os, work));

  EXPECT_FALSE(fs::exists(fs::symlink_status(workOnDisk)));
  EXPECT_TRUE(fs::exists(elsewhere / "precious.txt"));
  EXPECT_TRUE(os.removedFiles.empty());
}

TEST_F(WorkFolderTest, DotEntriesAreNeverFollowed) {
  folder.WriteFile("sentinel.txt");
  folder.WriteFile("Dorvel/1_1.bmp");
  folder.WriteFile("Dorvel/sub/2_1.bmp");
  // A listing that reports "." and ".." (as a raw folder search does).
  for (const std::string& listed : {work, work + "//sub"}) {
    os.extraEntries[listed] = {{".", true, false}, {"..", true, false}, {"", false, false}};
  }

  EXPECT_TRUE(EmptyAndRemove(os, work));

  EXPECT_TRUE(fs::exists(folder.Path() / "sentinel.txt"));
  EXPECT_EQ(os.listedFolders, (std::vector<std::string>{work, work + "//sub"}));
  std::vector<std::string> removed = os.removedFiles;
  std::sort(removed.begin(), removed.end());
  EXPECT_EQ(removed, (std::vector<std::string>{work + "//1_1.bmp", work + "//sub//2_1.bmp"}));
}

TEST_F(WorkFolderTest, PathsThatWouldNotFitTheirBuffersAreNeverUsed) {
  camera::CameraLibrary library(os);
  ASSERT_TRUE(library.Load(kKelpra));
  testing_support::KelpraHooks hooks(library);

  // Missing, empty or cut short: no work folder, nothing touched.
  for (const std::optional<std::u16string>& bad :
       {std::optional<std::u16string>(), std::optional<std::u16string>(u""),
        std::optional<std::u16string>(real.AnsiToWide(folder.String()))}) {
    os.tempPath = bad;
    ASSERT_TRUE(hooks.ClearCallLog());
    EXPECT_EQ(RecreateWorkFolder(os, library), std::nullopt);
    EXPECT_EQ(hooks.CallLog(), "");
  }
  EXPECT_TRUE(os.listedFolders.empty());
  EXPECT_TRUE(os.removedFolders.empty());
  os.tempPath = real.AnsiToWide(temp);

  // A sub-folder whose search pattern would pass 260 bytes is not searched,
  // and an entry whose path would pass 1024 bytes is left alone.
  const std::string longName(255 - work.size() + 1, 'L');
  folder.WriteFile("Dorvel/" + longName + "/kept.bmp");
  folder.WriteFile("Dorvel/gone.bmp");
  const std::string hugeName(1024 - work.size(), 'H');
  os.extraEntries[work] = {{hugeName, false, false}};

  EXPECT_FALSE(EmptyAndRemove(os, work));

  const std::string longChild = work + "//" + longName;
  EXPECT_FALSE(Contains(os.listedFolders, longChild));
  EXPECT_TRUE(fs::exists(workOnDisk / longName / "kept.bmp"));
  EXPECT_FALSE(fs::exists(workOnDisk / "gone.bmp"));
  EXPECT_EQ(os.removedFiles, std::vector<std::string>{work + "//gone.bmp"});
  EXPECT_EQ(os.standardOutput, EnteringLine(longChild) + RemoveFailedLine(longChild) +
                                   RemoveFailedLine(work));
}

TEST_F(WorkFolderTest, ATempPathIsKeptAsItIsWhileItsNamesFitARecordElseItsShortNameIsUsed) {
  // 223 characters, then "\\Dorvel" and the longest name a capture writes,
  // "\\1_-2147483648_2147483647.bmp": 259, what a record carries.
  os.tempPath = u"/" + std::u16string(221, u'a') + u"/";
  EXPECT_EQ(capture::WorkFolder(os), "/" + std::string(221, 'a') + "/\\Dorvel");
  const std::u16string oneMore = u"/" + std::u16string(222, u'a') + u"/";
  real.shortPaths[oneMore] = u"/AAAAAA~1/";
  os.tempPath = oneMore;
  EXPECT_EQ(capture::WorkFolder(os), "/AAAAAA~1/\\Dorvel");

  // Letters the code page holds need no short name; a short name given
  // without its separator gets one.
  os.tempPath = u"/Users/M\u00fcller/";
  EXPECT_EQ(capture::WorkFolder(os), "/Users/M\xfcller/\\Dorvel");
  const std::u16string cyrillic = u"/\u041f\u043e\u043b\u044c\u0437/";
  real.shortPaths[cyrillic] = u"/POLZ~1";
  os.tempPath = cyrillic;
  EXPECT_EQ(capture::WorkFolder(os), "/POLZ~1\\\\Dorvel");
  // A short name that is no better (a volume whose short names keep those
  // letters, or are as long) leaves no work folder.
  real.shortPaths[cyrillic] = cyrillic;
  EXPECT_EQ(capture::WorkFolder(os), std::nullopt);
  real.shortPaths[oneMore] = oneMore;
  os.tempPath = oneMore;
  EXPECT_EQ(capture::WorkFolder(os), std::nullopt);
}

// A user's temp folder with a Cyrillic name or a 238-character path, with
// and without a short name.
class UserTempWorkFolder
    : public WorkFolderTest,
      public ::testing::WithParamInterface<std::tuple<testing_support::UserTempKind, bool>> {};

TEST_P(UserTempWorkFolder, CleanUpLibraryAndNamesUseTheShortFormOrNothingIsTouched) {
  const auto [kind, withShortName] = GetParam();
  const testing_support::UserTempFolder user =
      testing_support::MakeUserTempFolder(real, folder.Path(), kind, withShortName);
  os.tempPath.reset();  // the headless Os's own answer
  fs::create_directories(user.onDisk / "Dorvel" / "sub");
  std::ofstream(user.onDisk / "Dorvel" / "1_5000.bmp") << "left over";
  camera::CameraLibrary library(os);
  ASSERT_TRUE(library.Load(kKelpra));
  testing_support::KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());

  const std::optional<std::string> made = RecreateWorkFolder(os, library);

  if (!withShortName) {
    EXPECT_EQ(made, std::nullopt);
    EXPECT_EQ(hooks.CallLog(), "");
    EXPECT_TRUE(os.listedFolders.empty());
    EXPECT_TRUE(fs::exists(user.onDisk / "Dorvel" / "1_5000.bmp"));
    return;
  }
  const std::string shortFolder = real.WideToAnsi(user.shortPath) + "\\Dorvel";
  EXPECT_EQ(made, shortFolder);
  EXPECT_EQ(hooks.CallLog(), "camCreateDirectory(\"" + shortFolder + "\")\n");
  EXPECT_EQ(os.listedFolders, (std::vector<std::string>{shortFolder, shortFolder + "//sub"}));
  EXPECT_TRUE(fs::is_directory(user.onDisk / "Dorvel"));
  EXPECT_FALSE(fs::exists(user.onDisk / "Dorvel" / "1_5000.bmp"));
  EXPECT_FALSE(fs::exists(user.onDisk / "Dorvel" / "sub"));
}

INSTANTIATE_TEST_SUITE_P(
    CyrillicAndLong, UserTempWorkFolder,
    ::testing::Combine(::testing::Values(testing_support::UserTempKind::Cyrillic,
                                         testing_support::UserTempKind::Long),
                       ::testing::Bool()),
    [](const auto& info) { return testing_support::UserTempCaseName(info.param); });

TEST_F(WorkFolderTest, FolderTestKeepsToItsBuffer) {
  fs::create_directories(workOnDisk);
  folder.WriteFile("file.txt");
  EXPECT_TRUE(capture::IsFolder(os, work));
  EXPECT_FALSE(capture::IsFolder(os, temp + "file.txt"));
  EXPECT_FALSE(capture::IsFolder(os, temp + "missing"));
  // The same folder, spelled longer than a 500-byte search pattern allows.
  std::string padded = folder.String();
  while (padded.size() + 3 < 500) padded += "/.";
  EXPECT_TRUE(real.IsFolder(padded));
  EXPECT_FALSE(capture::IsFolder(os, padded));
}

}  // namespace
