// The test hooks: the call log, injected failures, plugging and unplugging
// devices; and which exports each library has.
#include <dlfcn.h>

#include <string>

#include "KelpraHarness.h"
#include "support/CameraExportList.h"

namespace kelpra_test {
namespace {

class TestHooks : public KelpraTest {};

int32_t CAM_CALL NoCallback(int32_t) { return 1; }

TEST_F(TestHooks, TheCallLogWritesEveryCallWithItsArgumentsInOrderAndCutsToTheBuffer) {
  int32_t count = 0, format = 0, width = 0, height = 0;
  cam.camGetDevCount(&count);
  cam.camGetDevName(1);
  cam.camOpenDev(0, 0, 640, 480);
  cam.camGetCurResolution(0, &format, &width, &height);
  cam.camSetImageWaterMark(0, "Text", 4, 36, "Arial", 0, 1, 0, 30.0f, 70.5f, 255, 0, 0, 1);
  cam.camSetImageWaterMark(0, nullptr, 4, 36, "", 0, 0, 0, 0.0f, 0.0f, 0, 0, 0, 0);
  cam.camCloseDev(-1);
  cam.camRegCallBackDeviceChange(NoCallback);
  cam.camRegCallBackDeviceChange(nullptr);
  cam.kelpraTestPlugDevice(nullptr);  // hooks are not logged
  const std::string log =
      "camGetDevCount(&)\n"
      "camGetDevName(1)\n"
      "camOpenDev(0,0,640,480)\n"
      "camGetCurResolution(0,&,&,&)\n"
      "camSetImageWaterMark(0,\"Text\",4,36,\"Arial\",0,1,0,30,70.5,255,0,0,1)\n"
      "camSetImageWaterMark(0,null,4,36,\"\",0,0,0,0,0,0,0,0,0)\n"
      "camCloseDev(-1)\n"
      "camRegCallBackDeviceChange(cb)\n"
      "camRegCallBackDeviceChange(null)\n";
  EXPECT_EQ(CallLog(), log);
  char small[8];
  EXPECT_EQ(cam.kelpraTestGetCallLog(small, sizeof small), static_cast<int32_t>(log.size()));
  EXPECT_EQ(std::string(small), "camGetD");
  cam.kelpraTestClearCallLog();
  EXPECT_EQ(CallLog(), "");
}

TEST_F(TestHooks, FailNextFailsExactlyThatManyCallsWithTheCodeDoingNothingButLogging) {
  ASSERT_EQ(cam.kelpraTestFailNext("camOpenDev", 2, -42), 0);
  EXPECT_EQ(cam.camOpenDev(0, 0, 640, 480), -42);
  EXPECT_EQ(cam.camOpenDev(0, 0, 640, 480), -42);
  EXPECT_NE(Capture("closed.bmp"), 0);  // the failed opens opened nothing
  EXPECT_EQ(cam.camOpenDev(0, 0, 1280, 720), 0);
  EXPECT_EQ(CallLog().rfind("camOpenDev(0,0,640,480)\ncamOpenDev(0,0,640,480)\n", 0), 0u);
  // A name getter returns null; a count of 0 cancels what is pending.
  ASSERT_EQ(cam.kelpraTestFailNext("camGetDevName", 1, -1), 0);
  EXPECT_EQ(cam.camGetDevName(0), nullptr);
  EXPECT_NE(cam.camGetDevName(0), nullptr);
  ASSERT_EQ(cam.kelpraTestFailNext("camGetDevName", 5, -1), 0);
  ASSERT_EQ(cam.kelpraTestFailNext("camGetDevName", 0, 0), 0);
  EXPECT_NE(cam.camGetDevName(0), nullptr);
  EXPECT_NE(cam.kelpraTestFailNext("camNoSuchExport", 1, -1), 0);
  EXPECT_NE(cam.kelpraTestFailNext("camOpenDev", 1, 0), 0);
  EXPECT_NE(cam.kelpraTestFailNext(nullptr, 1, -1), 0);
}

int g_changes = 0;
int32_t g_countInsideCallback = -1;
int32_t CAM_CALL CountDevicesOnChange(int32_t) {
  ++g_changes;
  // The caller rebuilds its session inside the callback, through the exports.
  Kelpra().camStopCameraLib();
  Kelpra().camUpdateCameraLib();
  Kelpra().camGetDevCount(&g_countInsideCallback);
  return 1;
}

TEST_F(TestHooks, PlugAndUnplugChangeTheDeviceListAndCallTheRegisteredCallback) {
  g_changes = 0;
  cam.camRegCallBackDeviceChange(CountDevicesOnChange);
  EXPECT_EQ(cam.kelpraTestPlugDevice("Second Webcam"), 3);
  EXPECT_EQ(g_countInsideCallback, 3);
  EXPECT_STREQ(cam.camGetDevName(2), "Second Webcam");
  EXPECT_EQ(cam.kelpraTestUnplugDevice(0), 2);
  EXPECT_EQ(g_countInsideCallback, 2);
  EXPECT_STREQ(cam.camGetDevName(1), "Second Webcam");
  EXPECT_LT(cam.kelpraTestUnplugDevice(7), 0);
  EXPECT_EQ(g_changes, 2);
  EXPECT_EQ(cam.kelpraTestUnplugDevice(0), 1);
  EXPECT_EQ(cam.kelpraTestUnplugDevice(0), 0);
  int32_t count = -1;
  cam.camGetDevCount(&count);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(cam.camGetDevName(0), nullptr);
  EXPECT_EQ(cam.kelpraTestPlugDevice(nullptr), 1);
  EXPECT_NE(cam.camGetDevName(0), nullptr);
}

TEST(ExportedNames, AreTheListedOnesAndThePartialLibraryLacksZoomInAndAutoCaptureStart) {
  for (const char* path : {KELPRA_LIBRARY_PATH, KELPRA_PARTIAL_LIBRARY_PATH}) {
    const bool partial = std::string(path) == KELPRA_PARTIAL_LIBRARY_PATH;
    void* library = OpenLibrary(path);
    for (const testing_support::ExportSignature& e : testing_support::kCameraExports) {
      const std::string name = e.name;
      const bool lacking = partial && (name == "camZooIn" || name == "camStartAutoCapture");
      EXPECT_EQ(dlsym(library, e.name) == nullptr, lacking) << path << ": " << name;
    }
  }
  const KelpraApi partial = ResolveApi(OpenLibrary(KELPRA_PARTIAL_LIBRARY_PATH));
  ASSERT_EQ(partial.camInitCameraLib(), 0);
  EXPECT_EQ(partial.camOpenDev(0, 0, 640, 480), 0);
  partial.camUnInitCameraLib();
}

}  // namespace
}  // namespace kelpra_test
