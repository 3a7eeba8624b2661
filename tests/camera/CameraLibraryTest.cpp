// Loading the camera library, resolving its exports and calling them, against
// the reference library and its variant without camZooIn and
// camStartAutoCapture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "camera/CameraLibrary.h"
#include "platform/headless/HeadlessOs.h"
#include "support/KelpraHooks.h"
#include "support/RecordingOs.h"
#include "support/SampleArguments.h"
#include "support/TestFolder.h"

namespace {

using camera::CameraLibrary;
using camera::kMissingExport;
using testing_support::CallEveryExport;
using testing_support::KelpraHooks;
using testing_support::SampleArguments;

const std::string kKelpra = KELPRA_LIBRARY_PATH;
const std::string kKelpraPartial = KELPRA_PARTIAL_LIBRARY_PATH;

class CameraLibraryTest : public ::testing::Test {
 protected:
  // Calls every listed export and returns the log lines they should give;
  // `missing` tells which must fail as missing. Notes whether any call wrote
  // an out-value.
  template <typename Missing>
  std::string CallEach(CameraLibrary& library, Missing missing, const std::string& when = "") {
    SampleArguments samples(folder.String());
    const std::string expected = CallEveryExport(
        library, samples,
        [&](const std::string& name, int32_t result) {
          EXPECT_EQ(result == kMissingExport, missing(name)) << name << when;
        },
        [&](const std::string& name, const char* result) {
          // A present name getter may give null too: -1 names no device.
          EXPECT_TRUE(!missing(name) || result == nullptr) << name << when;
        });
    outValuesUntouched = samples.OutValuesUntouched();
    return expected;
  }

  bool outValuesUntouched = false;
  testing_support::TestFolder folder;
  headless::HeadlessOs real;
  testing_support::RecordingOs os{real};
};

const auto kAll = [](const std::string&) { return true; };

TEST_F(CameraLibraryTest, WithoutALoadedLibraryEveryCallFailsAndNothingIsLookedUp) {
  CameraLibrary library(os);
  CallEach(library, kAll, " before Load");
  EXPECT_TRUE(outValuesUntouched);
  EXPECT_EQ(library.Resolve("camInitCameraLib"), nullptr);
  const std::string missing = folder.File("Missing.dll");
  EXPECT_FALSE(library.Load(missing));
  EXPECT_FALSE(library.IsLoaded());
  EXPECT_EQ(os.standardOutput, "LoadLibrary failed\n");
  EXPECT_TRUE(os.resolvedNames.empty());

  // A failed reload lets go of the library loaded before, entry points and all.
  ASSERT_TRUE(library.Load(kKelpra));
  EXPECT_EQ(library.camInitCameraLib(), 0);
  void* first = os.loadedModules.back();
  EXPECT_FALSE(library.Load(missing));
  EXPECT_FALSE(library.IsLoaded());
  EXPECT_EQ(os.freedModules, std::vector<void*>{first});
  os.resolvedNames.clear();
  CallEach(library, kAll, " after a failed reload");
  EXPECT_TRUE(outValuesUntouched);
  EXPECT_TRUE(os.resolvedNames.empty());
  EXPECT_EQ(os.standardOutput, "LoadLibrary failed\nLoadLibrary failed\n");
}

TEST_F(CameraLibraryTest, ALibraryWithoutSomeExportsServesAllOthersAndLooksAMissingOneUpEachTime) {
  CameraLibrary library(os);
  // Loaded over the full library: the first module is freed and its entry
  // points forgotten, or camZooIn and the calls below would still reach it.
  ASSERT_TRUE(library.Load(kKelpra));
  EXPECT_NE(library.camZooIn(-1), kMissingExport);
  ASSERT_TRUE(library.Load(kKelpraPartial));
  ASSERT_EQ(os.loadedModules.size(), 2u);
  EXPECT_NE(os.loadedModules[0], os.loadedModules[1]);
  EXPECT_EQ(os.freedModules, std::vector<void*>{os.loadedModules[0]});
  EXPECT_TRUE(os.standardOutput.empty());
  os.resolvedNames.clear();
  KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());
  std::string expected = CallEach(library, [](const std::string& name) {
    return name == "camZooIn" || name == "camStartAutoCapture";
  });
  // The two missing exports were never called, so they left no log line.
  for (const char* missing : {"camZooIn(", "camStartAutoCapture("}) {
    const size_t at = expected.find(missing);
    ASSERT_NE(at, std::string::npos);
    expected.erase(at, expected.find('\n', at) + 1 - at);
  }
  EXPECT_EQ(hooks.CallLog(), expected);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(library.camZooIn(-1), kMissingExport);
    EXPECT_NE(library.camZoomOut(-1), kMissingExport);
  }
  EXPECT_EQ(os.ResolveCount("camZooIn"), 3u);
  EXPECT_EQ(os.ResolveCount("camZoomOut"), 1u);
  // A result the library gives is passed on as it is.
  ASSERT_EQ(hooks.FailNext("camSetResolution", 1, 123456), 0);
  EXPECT_EQ(library.camSetResolution(0, 640, 480), 123456);
}

TEST_F(CameraLibraryTest, UnloadFreesTheModuleOnceAndKeepsItWhenFreeingFails) {
  void* module = nullptr;
  {
    CameraLibrary library(os);
    ASSERT_TRUE(library.Load(kKelpra));
    module = os.loadedModules.back();
    EXPECT_NE(library.camZoomOut(-1), kMissingExport);
    os.failNextFree = true;
    library.Unload();
    // The module is still held; its entry points are looked up afresh.
    EXPECT_NE(library.camZoomOut(-1), kMissingExport);
    EXPECT_EQ(os.ResolveCount("camZoomOut"), 2u);
    library.Unload();
    EXPECT_EQ(library.camZoomOut(-1), kMissingExport);
    EXPECT_EQ(os.freedModules, (std::vector<void*>{module, module}));
  }
  EXPECT_EQ(os.freedModules.size(), 2u) << "destruction freed a module that was gone";
  {
    CameraLibrary library(os);
    ASSERT_TRUE(library.Load(kKelpra));
    module = os.loadedModules.back();
  }
  // The same library loaded again may come back as the same module: count.
  ASSERT_EQ(os.freedModules.size(), 3u) << "destruction did not free the module";
  EXPECT_EQ(os.freedModules.back(), module);
}

}  // namespace
