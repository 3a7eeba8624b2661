// The reference camera library as a real Windows library, loaded by the
// product's own means (LoadLibraryA from the program's folder, GetProcAddress,
// 32-bit cdecl calls): every export found once and given its arguments
// unchanged, and missing ones refused without a call. Its live picture is in
// every screenshot of the end-to-end tests, and the files of a multiple crop
// are listed with Windows paths in temp-folder-sessions.sh.
#include <gtest/gtest.h>
#include <windows.h>

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
  void TearDown() override { (void)library.camUnInitCameraLib(); }

  testing_support::TestFolder folder;
  win32::Win32Os real;
  testing_support::RecordingOs os{real};
  camera::CameraLibrary library{os};
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
