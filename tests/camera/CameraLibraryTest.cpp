// Loading the camera library, resolving its exports and calling them, against
// the reference library and its variant without camZooIn and
// camStartAutoCapture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "camera/CameraLibrary.h"
#include "support/KelpraHooks.h"
#include "support/RecordingOs.h"
#include "support/SampleArguments.h"
#include "support/TestFolder.h"
#include "platform/headless/HeadlessOs.h"

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
  // Calls every export and expects each to fail as missing without writing
  // any out-value.
  void ExpectEveryCallMissing(CameraLibrary& library, const std::string& when) {
    SampleArguments samples(folder.String());
    CallEveryExport(
        library, samples,
        [&](const char* name, int32_t result) {
          EXPECT_EQ(result, kMissingExport) << name << when;
        },
        [&](const char* name, const char* result) {
          EXPECT_EQ(result, nullptr) << name << when;
        });
    EXPECT_TRUE(samples.OutValuesUntouched()) << when;
  }

  testing_support::TestFolder folder;
  headless::HeadlessOs real;
  testing_support::RecordingOs os{real};
};

TEST_F(CameraLibraryTest, WithoutALoadedLibraryEveryCallFailsAndNothingIsLookedUp) {
  CameraLibrary library(os);
  ExpectEveryCallMissing(library, " before Load");
  EXPECT_EQ(library.Resolve("camInitCameraLib"), nullptr);

  const std::string missing = folder.String() + "/Missing.dll";
  EXPECT_FALSE(library.Load(missing));
  EXPECT_FALSE(library.IsLoaded());
  EXPECT_EQ(os.standardOutput, "LoadLibrary failed\n");
  ExpectEveryCallMissing(library, " after a failed Load");
  EXPECT_TRUE(os.resolvedNames.empty());

  // A failed reload lets go of the library loaded before, entry points and all.
  ASSERT_TRUE(library.Load(kKelpra));
  EXPECT_TRUE(library.IsLoaded());
  EXPECT_EQ(library.camInitCameraLib(), 0);
  void* first = os.loadedModules.back();
  EXPECT_FALSE(library.Load(missing));
  EXPECT_FALSE(library.IsLoaded());
  EXPECT_EQ(os.freedModules, std::vector<void*>{first});
  os.resolvedNames.clear();
  ExpectEveryCallMissing(library, " after a failed reload");
  EXPECT_TRUE(os.resolvedNames.empty());
  EXPECT_EQ(os.standardOutput, "LoadLibrary failed\nLoadLibrary failed\n");
}

TEST_F(CameraLibraryTest, AFoundNameIsLookedUpOnceAndAMissingOneOnEveryCall) {
  CameraLibrary library(os);
  ASSERT_TRUE(library.Load(kKelpraPartial));
  EXPECT_TRUE(os.standardOutput.empty());
  KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(library.camZooIn(-1), kMissingExport);
    EXPECT_EQ(library.camStartAutoCapture(-1, 1, 5, &testing_support::SampleCallback),
              kMissingExport);
    EXPECT_NE(library.camZoomOut(-1), kMissingExport);
  }
  EXPECT_EQ(os.ResolveCount("camZooIn"), 3u);
  EXPECT_EQ(os.ResolveCount("camStartAutoCapture"), 3u);
  EXPECT_EQ(os.ResolveCount("camZoomOut"), 1u);
  EXPECT_EQ(hooks.CallLog(), "camZoomOut(-1)\ncamZoomOut(-1)\ncamZoomOut(-1)\n");
}

TEST_F(CameraLibraryTest, ALibraryWithoutSomeExportsStillServesAllOthers) {
  CameraLibrary library(os);
  ASSERT_TRUE(library.Load(kKelpraPartial));
  KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());
  SampleArguments samples(folder.String());
  std::string expected = CallEveryExport(
      library, samples,
      [](const std::string& name, int32_t result) {
        const bool missing = name == "camZooIn" || name == "camStartAutoCapture";
        EXPECT_EQ(result == kMissingExport, missing) << name;
      },
      [](const char*, const char*) {});
  // The two missing exports were never called, so they left no log line.
  for (const char* missing : {"camZooIn(", "camStartAutoCapture("}) {
    const size_t at = expected.find(missing);
    ASSERT_NE(at, std::string::npos);
    expected.erase(at, expected.find('\n', at) + 1 - at);
  }
  EXPECT_EQ(hooks.CallLog(), expected);
}

TEST_F(CameraLibraryTest, ASecondLoadFreesTheFirstModuleAndForgetsItsEntryPoints) {
  CameraLibrary library(os);
  ASSERT_TRUE(library.Load(kKelpra));
  EXPECT_NE(library.camZooIn(-1), kMissingExport);
  EXPECT_NE(library.camZoomOut(-1), kMissingExport);
  ASSERT_TRUE(library.Load(kKelpraPartial));
  ASSERT_EQ(os.loadedModules.size(), 2u);
  EXPECT_NE(os.loadedModules[0], os.loadedModules[1]);
  EXPECT_EQ(os.freedModules, std::vector<void*>{os.loadedModules[0]});

  // Had the cache survived, camZooIn would still reach the first library.
  EXPECT_EQ(library.camZooIn(-1), kMissingExport);
  EXPECT_NE(library.camZoomOut(-1), kMissingExport);
  EXPECT_EQ(os.ResolveCount("camZooIn"), 2u);
  EXPECT_EQ(os.ResolveCount("camZoomOut"), 2u);
  KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());
  EXPECT_NE(library.camZoomOut(-1), kMissingExport);
  EXPECT_EQ(hooks.CallLog(), "camZoomOut(-1)\n") << "the call went to the wrong module";
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
  EXPECT_EQ(os.freedModules.back(), module) << "destruction did not free the module";
}

TEST_F(CameraLibraryTest, ArgumentsAndResultsPassThroughUnchanged) {
  CameraLibrary library(os);
  ASSERT_TRUE(library.Load(kKelpra));
  KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());

  // Every export once, with -1 as its device and distinct other values.
  SampleArguments samples(folder.String());
  const std::string expected = CallEveryExport(
      library, samples,
      [](const char* name, int32_t result) { EXPECT_NE(result, kMissingExport) << name; },
      [](const char*, const char*) {});
  EXPECT_EQ(hooks.CallLog(), expected);

  // The widest call spelled out, floats included.
  ASSERT_TRUE(hooks.ClearCallLog());
  (void)library.camSetImageWaterMark(-1, "Draft", 2, 36, "Arial", 1, 0, 1, 45.5f, 0.25f, 255,
                                     128, 0, 1);
  EXPECT_EQ(hooks.CallLog(),
            "camSetImageWaterMark(-1,\"Draft\",2,36,\"Arial\",1,0,1,45.5,0.25,255,128,0,1)\n");

  // Results come back as the library gave them.
  ASSERT_EQ(library.camInitCameraLib(), 0);
  int32_t count = 0;
  EXPECT_EQ(library.camGetDevCount(&count), 0);
  EXPECT_GT(count, 0);
  ASSERT_EQ(hooks.FailNext("camOpenDev", 1, -5), 0);
  EXPECT_EQ(library.camOpenDev(0, 0, 640, 480), -5);
  ASSERT_EQ(hooks.FailNext("camSetResolution", 1, 123456), 0);
  EXPECT_EQ(library.camSetResolution(0, 640, 480), 123456);
  const char* name = library.camGetDevName(0);
  ASSERT_NE(name, nullptr);
  EXPECT_NE(std::string(name), "");
}

}  // namespace
