// The work folder on Windows: a file another program holds open stays, and
// the clean-up goes on around it. Temp folders whose name the code page
// cannot hold (reached by their short name), or whose path is long, are the
// end-to-end test's (temp-folder-sessions.sh).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "camera/CameraLibrary.h"
#include "capture/WorkFolder.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/WindowsHeaders.h"
#include "support/KelpraHooks.h"
#include "support/RecordingOs.h"
#include "support/TestFolder.h"
#include "support/WorkFolderLines.h"

namespace {

namespace fs = std::filesystem;

using testing_support::EnteringLine;
using testing_support::kRemoveFailed;
using testing_support::RemoveFailedLine;

TEST(WorkFolderOnWindows, AFileHeldOpenSurvivesAndTheRestIsCleanedUp) {
  testing_support::TestFolder folder;
  win32::Win32Os real;
  testing_support::RecordingOs os(real);
  // The temp path as the system gives it: backslashes, one at the end.
  const std::string temp = folder.Path().string() + "\\";
  os.tempPath = real.AnsiToWide(temp);
  const std::string work = temp + "\\Dorvel";
  const fs::path workOnDisk = folder.Path() / "Dorvel";
  folder.WriteFile("Dorvel/1_100.bmp");
  folder.WriteFile("Dorvel/sub/2_100.bmp");
  folder.WriteFile("Dorvel/sub/deeper/Merge_100.bmp");
  // The C runtime opens files without delete sharing, as a viewer would.
  std::ofstream held(workOnDisk / "held.bmp", std::ios::binary);
  held << "still being read";
  held.flush();
  ASSERT_TRUE(held.is_open());

  EXPECT_FALSE(capture::EmptyAndRemove(os, work));

  EXPECT_TRUE(fs::exists(workOnDisk / "held.bmp"));
  EXPECT_FALSE(fs::exists(workOnDisk / "1_100.bmp"));
  EXPECT_FALSE(fs::exists(workOnDisk / "sub"));
  const std::string& out = os.standardOutput;
  EXPECT_NE(out.find(EnteringLine(work + "//sub")), std::string::npos) << out;
  EXPECT_NE(out.find(EnteringLine(work + "//sub//deeper")), std::string::npos) << out;
  EXPECT_EQ(out.find(kRemoveFailed), out.rfind(RemoveFailedLine(work))) << out;

  // Start-up goes on: the library is asked to create the folder regardless.
  camera::CameraLibrary library(os);
  const std::string module = os.ModuleFileName().value_or("");
  ASSERT_TRUE(library.Load(module.substr(0, module.rfind('\\')) + "\\Kelpra.dll"));
  testing_support::KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());
  EXPECT_EQ(capture::RecreateWorkFolder(os, library), work);
  EXPECT_EQ(hooks.CallLog(), "camCreateDirectory(\"" + work + "\")\n");
  EXPECT_TRUE(fs::is_directory(workOnDisk));
  EXPECT_TRUE(fs::exists(workOnDisk / "held.bmp"));

  // Once the file is closed, the next start-up finds nothing left.
  held.close();
  EXPECT_TRUE(capture::EmptyAndRemove(os, work));
  EXPECT_FALSE(fs::exists(workOnDisk));
}

}  // namespace
