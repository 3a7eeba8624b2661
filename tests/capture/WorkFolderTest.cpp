// The work folder at start-up: what an earlier run left is deleted, nothing
// outside the folder is touched, and the camera library creates it again.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "camera/CameraLibrary.h"
#include "capture/WorkFolder.h"
#include "platform/headless/HeadlessOs.h"
#include "support/KelpraHooks.h"
#include "support/RecordingOs.h"
#include "support/TestFolder.h"
#include "support/WorkFolderLines.h"

namespace {

namespace fs = std::filesystem;
using capture::EmptyAndRemove;
using capture::RecreateWorkFolder;

using testing_support::EnteringLine;
using testing_support::kRemoveFailed;
using testing_support::RemoveFailedLine;

class WorkFolderTest : public ::testing::Test {
 protected:
  WorkFolderTest() { os.tempPath = real.AnsiToWide(temp); }
  void SetUp() override { ASSERT_TRUE(library.Load(KELPRA_LIBRARY_PATH)); }

  testing_support::TestFolder folder;
  const std::string temp = folder.String() + "/";
  // The work folder as the program spells it, and where it really is.
  const std::string work = temp + "\\Dorvel";
  const fs::path workOnDisk = folder.Path() / "Dorvel";
  headless::HeadlessOs real;
  testing_support::RecordingOs os{real};
  camera::CameraLibrary library{os};
  testing_support::KelpraHooks hooks{library};
};

TEST_F(WorkFolderTest, LeftoversAreGoneAndTheLibraryCreatesTheFolderAgain) {
  folder.WriteFile("Dorvel/1_5000.bmp");
  folder.WriteFile("Dorvel/Merge_5000.jpg");
  folder.WriteFile("Dorvel/sub/deeper/note.txt");
  fs::create_directories(workOnDisk / "empty");
  ASSERT_TRUE(hooks.ClearCallLog());

  EXPECT_EQ(RecreateWorkFolder(os, library), work);

  EXPECT_TRUE(fs::is_directory(workOnDisk));
  EXPECT_TRUE(fs::is_empty(workOnDisk));
  EXPECT_EQ(hooks.CallLog(), "camCreateDirectory(\"" + work + "\")\n");
  EXPECT_EQ(os.standardOutput.find(kRemoveFailed), std::string::npos) << "a removal failed";
  for (const std::string& sub : {work + "//sub", work + "//sub//deeper", work + "//empty"}) {
    EXPECT_NE(os.standardOutput.find(EnteringLine(sub)), std::string::npos) << os.standardOutput;
  }
}

TEST_F(WorkFolderTest, AFolderTheLibraryDidNotCreateIsCreatedByTheProgramWhereItCanBe) {
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

TEST_F(WorkFolderTest, LinksAreRemovedThemselvesAndNeverFollowedNorAreDotEntries) {
  const fs::path outside = folder.WriteFile("outside/keep.txt").parent_path();
  folder.WriteFile("outside/inner/keep.txt");
  const fs::path outsideFile = folder.WriteFile("outside-file.txt");
  folder.WriteFile("Dorvel/sub/2_1.bmp");
  fs::create_directory_symlink(outside, workOnDisk / "toFolder");
  fs::create_symlink(outsideFile, workOnDisk / "toFile");
  fs::create_directory_symlink(outside, workOnDisk / "sub" / "nested");
  fs::create_symlink(folder.Path() / "nowhere", workOnDisk / "dangling");
  // A listing that reports "." and ".." (as a raw folder search does).
  for (const std::string& listed : {work, work + "//sub"}) {
    os.extraEntries[listed] = {{".", true, false}, {"..", true, false}, {"", false, false}};
  }

  EXPECT_TRUE(EmptyAndRemove(os, work));

  EXPECT_FALSE(fs::exists(fs::symlink_status(workOnDisk)));
  EXPECT_TRUE(fs::exists(outside / "keep.txt"));
  EXPECT_TRUE(fs::exists(outside / "inner" / "keep.txt"));
  EXPECT_TRUE(fs::exists(outsideFile));
  EXPECT_EQ(os.listedFolders, (std::vector<std::string>{work, work + "//sub"}));
  EXPECT_EQ(os.removedFiles, std::vector<std::string>{work + "//sub//2_1.bmp"});

  // A work folder that is a link loses only the link.
  fs::create_directory_symlink(outside, workOnDisk);
  EXPECT_TRUE(EmptyAndRemove(os, work));
  EXPECT_FALSE(fs::exists(fs::symlink_status(workOnDisk)));
  EXPECT_TRUE(fs::exists(outside / "keep.txt"));
}

TEST_F(WorkFolderTest, PathsThatWouldNotFitTheirBuffersAreNeverUsed) {
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

  // A sub-folder whose search pattern would pass 260 bytes is not searched,
  // and an entry whose path would pass 1024 bytes is left alone.
  const std::string longName(255 - work.size() + 1, 'L');
  folder.WriteFile("Dorvel/" + longName + "/kept.bmp");
  folder.WriteFile("Dorvel/gone.bmp");
  os.extraEntries[work] = {{std::string(1024 - work.size(), 'H'), false, false}};

  EXPECT_FALSE(EmptyAndRemove(os, work));

  const std::string longChild = work + "//" + longName;
  EXPECT_EQ(os.listedFolders, std::vector<std::string>{work});
  EXPECT_TRUE(fs::exists(workOnDisk / longName / "kept.bmp"));
  EXPECT_EQ(os.removedFiles, std::vector<std::string>{work + "//gone.bmp"});
  EXPECT_EQ(os.standardOutput, EnteringLine(longChild) + RemoveFailedLine(longChild) +
                                   RemoveFailedLine(work));

  // The folder test keeps to its 500-byte pattern: the same folder, spelled
  // longer, is none.
  EXPECT_TRUE(capture::IsFolder(os, work));
  EXPECT_FALSE(capture::IsFolder(os, temp + "outside-file.txt"));
  std::string padded = folder.String();
  while (padded.size() + 3 < 500) padded += "/.";
  EXPECT_TRUE(real.IsFolder(padded));
  EXPECT_FALSE(capture::IsFolder(os, padded));
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

// A double-byte code page, in which "\u6587" takes the two bytes "\xce\xc4".
struct DoubleByteOs : testing_support::RecordingOs {
  using RecordingOs::RecordingOs;
  std::string WideToAnsi(const std::u16string& text) const override {
    std::string ansi;
    for (char16_t c : text) {
      ansi += c == u'\u6587' ? "\xce\xc4" : std::string(1, static_cast<char>(c));
    }
    return ansi;
  }
  std::u16string AnsiToWide(const std::string& text) const override {
    std::u16string wide;
    for (size_t i = 0; i < text.size(); ++i) {
      const bool pair = text.compare(i, 2, "\xce\xc4") == 0;
      wide += pair ? u'\u6587' : static_cast<char16_t>(static_cast<unsigned char>(text[i]));
      i += pair ? 1 : 0;
    }
    return wide;
  }
};

TEST_F(WorkFolderTest, ATempPathWhose8BitNamesWouldNotFitARecordIsNotUsedThoughItsWideOnesFit) {
  // 110 such letters between two slashes are 222 bytes; "\\Dorvel" and the
  // longest name a capture writes make 258. One letter more is 260, past
  // what a record carries, though as wide text it is only 149.
  DoubleByteOs doubleByte{real};
  doubleByte.tempPath = u"/" + std::u16string(110, u'\u6587') + u"/";
  std::string expected = "/";
  for (int i = 0; i < 110; ++i) expected += "\xce\xc4";
  EXPECT_EQ(capture::WorkFolder(doubleByte), expected + "/\\Dorvel");
  doubleByte.tempPath = u"/" + std::u16string(111, u'\u6587') + u"/";
  EXPECT_EQ(capture::WorkFolder(doubleByte), std::nullopt);
}

}  // namespace
