// The reference camera library as a real Windows library, loaded by the
// product's own means (LoadLibraryA from the program's folder, GetProcAddress,
// 32-bit cdecl calls): every export found once and given its arguments
// unchanged, missing ones refused without a call, and the files a multiple
// crop lists with Windows paths. Its live picture is in every screenshot of
// the end-to-end tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "camera/CameraLibrary.h"
#include "platform/win32/Win32Os.h"
#include "support/KelpraHooks.h"
#include "support/RecordingOs.h"
#include "support/SampleArguments.h"
#include "support/TestFolder.h"

namespace {

using camera::kMissingExport;

class KelpraOnWindows : public ::testing::Test {
 protected:
  // A file beside this program, as the product finds the library beside itself.
  std::string BesideProgram(const char* file) const {
    const std::string module = os.ModuleFileName().value_or("");
    return module.substr(0, module.rfind('\\')) + "\\" + file;
  }
  // Opens the first camera with a work folder of the test's own.
  void Open() {
    ASSERT_TRUE(library.Load(BesideProgram("Kelpra.dll")));
    ASSERT_EQ(library.camInitCameraLib(), 0);
    ASSERT_EQ(library.camCreateDirectory(work.c_str()), 0);
    ASSERT_EQ(library.camOpenDev(0, 0, 640, 480), 0);
  }
  void TearDown() override { (void)library.camUnInitCameraLib(); }

  testing_support::TestFolder folder;
  win32::Win32Os real;
  testing_support::RecordingOs os{real};
  camera::CameraLibrary library{os};
  const std::string work = folder.Path().string() + "\\Dorvel";
};

}  // namespace

TEST_F(KelpraOnWindows, EveryExportIsFoundOnceAndGetsItsArgumentsUnchanged) {
  ASSERT_TRUE(library.Load(BesideProgram("Kelpra.dll"))) << BesideProgram("Kelpra.dll");
  testing_support::KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());
  os.resolvedNames.clear();
  // Twice: the second round runs from the cache alone.
  for (int round = 0; round < 2; ++round) {
    testing_support::SampleArguments samples(folder.String());
    const std::string expected = testing_support::CallEveryExport(
        library, samples,
        [](const char* name, int32_t result) { EXPECT_NE(result, kMissingExport) << name; },
        [](const char*, const char*) {});
    EXPECT_EQ(hooks.CallLog(), expected);
    ASSERT_TRUE(hooks.ClearCallLog());
  }
#define EXPECT_RESOLVED_ONCE(name, params, args) EXPECT_EQ(os.ResolveCount(#name), 1u) << #name;
  CAMERA_INT_EXPORTS(EXPECT_RESOLVED_ONCE)
  CAMERA_STRING_EXPORTS(EXPECT_RESOLVED_ONCE)
#undef EXPECT_RESOLVED_ONCE
}

TEST_F(KelpraOnWindows, AMissingLibraryOrExportFailsWithoutACall) {
  EXPECT_FALSE(library.Load(BesideProgram("NoSuchLibrary.dll")));
  EXPECT_EQ(os.standardOutput, "LoadLibrary failed\n");
  EXPECT_EQ(library.camInitCameraLib(), kMissingExport);
  EXPECT_EQ(library.camGetDevName(0), nullptr);

  ASSERT_TRUE(library.Load(BesideProgram("KelpraPartial.dll")));
  ASSERT_EQ(library.camInitCameraLib(), 0);
  ASSERT_EQ(library.camOpenDev(0, 0, 640, 480), 0);
  EXPECT_EQ(library.camZooIn(0), kMissingExport);
  EXPECT_EQ(library.camZooIn(0), kMissingExport);
  EXPECT_EQ(os.ResolveCount("camZooIn"), 2u);
  EXPECT_EQ(library.camStartAutoCapture(0, 1, 5, &testing_support::SampleCallback), kMissingExport);
  EXPECT_EQ(library.camZoomOut(0), 0);
}

// The formats and the watermark are the native tests' and the end-to-end
// captures'; the list a multiple crop leaves in the buffer is built here.
TEST_F(KelpraOnWindows, AMultipleCropListsItsFilesWithWindowsPaths) {
  Open();
  ASSERT_EQ(library.camSetImageAutoCrop(0, 2), 0);
  char path[1024] = {};
  lstrcpynA(path, (work + "\\multi.png").c_str(), sizeof path);
  ASSERT_EQ(library.camCaptureImageFile(0, path), 0);
  EXPECT_EQ(std::string(path), work + "\\multi_1.png;" + work + "\\multi_2.png");
  std::string magic(4, '\0');
  EXPECT_TRUE(std::ifstream(work + "\\multi_2.png", std::ios::binary).read(&magic[0], 4));
  EXPECT_EQ(magic, "\x89PNG");
}
