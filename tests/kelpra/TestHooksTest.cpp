// The test hooks: the call log, injected failures, plugging and unplugging
// devices. Which exports each library has, and the log line of each, are
// held to the hand-written export list by the binding's tests.
#include <string>

#include "KelpraHarness.h"

namespace kelpra_test {
namespace {

class TestHooks : public KelpraTest {};

TEST_F(TestHooks, TheCallLogWritesEveryCallWithItsArgumentsInOrderAndCutsToTheBuffer) {
  // Every export's line for sample arguments is held to the export list by
  // the binding's tests; here: null pointers, and hooks that are not logged.
  cam.camOpenDev(0, 0, 640, 480);
  cam.camSetImageWaterMark(0, nullptr, 4, 36, "", 0, 1, 0, 30.0f, 70.5f, 255, 0, 0, 1);
  cam.camRegCallBackDeviceChange(nullptr);
  hooks.PlugDevice(nullptr);
  const std::string log =
      "camOpenDev(0,0,640,480)\n"
      "camSetImageWaterMark(0,null,4,36,\"\",0,1,0,30,70.5,255,0,0,1)\n"
      "camRegCallBackDeviceChange(null)\n";
  EXPECT_EQ(hooks.CallLog(), log);
  char small[8];
  EXPECT_EQ(hooks.CopyCallLog(small, sizeof small), static_cast<int32_t>(log.size()));
  EXPECT_EQ(std::string(small), "camOpen");
  hooks.ClearCallLog();
  EXPECT_EQ(hooks.CallLog(), "");
}

TEST_F(TestHooks, FailNextFailsExactlyThatManyCallsWithTheCodeDoingNothingButLogging) {
  ASSERT_EQ(hooks.FailNext("camOpenDev", 2, -42), 0);
  EXPECT_EQ(cam.camOpenDev(0, 0, 640, 480), -42);
  EXPECT_EQ(cam.camOpenDev(0, 0, 640, 480), -42);
  EXPECT_NE(Capture("closed.bmp"), 0);  // the failed opens opened nothing
  EXPECT_EQ(cam.camOpenDev(0, 0, 1280, 720), 0);
  EXPECT_EQ(hooks.CallLog().rfind("camOpenDev(0,0,640,480)\ncamOpenDev(0,0,640,480)\n", 0), 0u);
  // A name getter returns null; a count of 0 cancels what is pending.
  ASSERT_EQ(hooks.FailNext("camGetDevName", 1, -1), 0);
  EXPECT_EQ(cam.camGetDevName(0), nullptr);
  EXPECT_NE(cam.camGetDevName(0), nullptr);
  ASSERT_EQ(hooks.FailNext("camGetDevName", 5, -1), 0);
  ASSERT_EQ(hooks.FailNext("camGetDevName", 0, 0), 0);
  EXPECT_NE(cam.camGetDevName(0), nullptr);
  EXPECT_NE(hooks.FailNext("camNoSuchExport", 1, -1), 0);
  EXPECT_NE(hooks.FailNext("camOpenDev", 1, 0), 0);
  EXPECT_NE(hooks.FailNext(nullptr, 1, -1), 0);
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
  EXPECT_EQ(hooks.PlugDevice("Second Webcam"), 3);
  EXPECT_EQ(g_countInsideCallback, 3);
  // The names after a plug and an unplug: the capture window's hot-plug tests.
  EXPECT_EQ(hooks.UnplugDevice(0), 2);
  EXPECT_EQ(g_countInsideCallback, 2);
  EXPECT_LT(hooks.UnplugDevice(7), 0);
  EXPECT_EQ(g_changes, 2);
  EXPECT_EQ(hooks.UnplugDevice(0), 1);
  EXPECT_EQ(hooks.UnplugDevice(0), 0);
  int32_t count = -1;
  cam.camGetDevCount(&count);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(cam.camGetDevName(0), nullptr);
  EXPECT_EQ(hooks.PlugDevice(nullptr), 1);
  EXPECT_NE(cam.camGetDevName(0), nullptr);
}

}  // namespace
}  // namespace kelpra_test
