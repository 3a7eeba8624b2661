// The device exports as the capture window uses them: listing, opening,
// formats and sizes, DPI, the "no device" index -1, calls before start-up.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "KelpraHarness.h"

namespace kelpra_test {
namespace {

class DeviceContract : public KelpraTest {};

TEST_F(DeviceContract, TheBuiltInDevicesAreADocumentCameraAndAWebcam) {
  int32_t count = 0;
  ASSERT_EQ(cam.camGetDevCount(&count), 0);
  ASSERT_EQ(count, 2);
  int32_t formats = 0;
  cam.camGetMediaTypeCount(0, &formats);
  ASSERT_EQ(formats, 2);
  EXPECT_STREQ(cam.camGetMediaTypeName(0, 0), "MJPG");
  EXPECT_STREQ(cam.camGetMediaTypeName(0, 1), "YUY2");
  EXPECT_EQ(cam.camGetMediaTypeName(0, 2), nullptr);
  int32_t sizes = 0;
  cam.camGetResolutionCount(0, 0, &sizes);
  std::string listed;
  for (int i = 0; i < sizes; ++i) {
    int32_t w = 0, h = 0;
    ASSERT_EQ(cam.camGetResolution(0, 0, i, &w, &h), 0);
    listed += std::to_string(w) + "x" + std::to_string(h) + " ";
  }
  // Smallest first: named sizes, two sharing a name, one without a name,
  // and a full size beyond every named one.
  EXPECT_EQ(listed,
            "640x480 800x600 1000x1000 1024x768 1280x720 1920x1080 2592x1944 3264x2448 "
            "6400x4800 ");

  // Native DPI of the document camera grows with the frame (width x 3 / 64);
  // the webcam's is 96.
  int32_t dpiSmall = 0, dpiMiddle = 0, dpiFull = 0, dpiY = 0, webcamDpi = 0;
  cam.camOpenDev(0, 0, 640, 480);
  cam.camGetImageDPI(0, &dpiSmall, &dpiY);
  cam.camSetResolution(0, 3264, 2448);
  cam.camGetImageDPI(0, &dpiMiddle, &dpiY);
  cam.camSetResolution(0, 6400, 4800);
  cam.camGetImageDPI(0, &dpiFull, &dpiY);
  cam.camOpenDev(1, 0, 640, 480);
  cam.camGetImageDPI(1, &webcamDpi, &dpiY);
  EXPECT_EQ(dpiSmall, 30);
  EXPECT_EQ(dpiMiddle, 153);
  EXPECT_EQ(dpiFull, 300);
  EXPECT_EQ(webcamDpi, 96);
}

TEST_F(DeviceContract, OpeningAtASizeTheFormatDoesNotOfferFailsSoTheCallerCanRetry) {
  EXPECT_NE(cam.camOpenDev(0, 0, 1024, 600), 0);
  EXPECT_NE(cam.camOpenDev(0, 5, 640, 480), 0);
  EXPECT_NE(cam.camOpenDev(0, -1, 640, 480), 0);
  EXPECT_NE(cam.camOpenDev(1, 0, 3264, 2448), 0);  // the webcam is smaller
  EXPECT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  int32_t format = -5, width = 0, height = 0;
  ASSERT_EQ(cam.camGetCurResolution(0, &format, &width, &height), 0);
  EXPECT_EQ(format, 0);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
}

TEST_F(DeviceContract, FormatAndSizeChangesKeepTheFrameSizeConsistent) {
  ASSERT_EQ(cam.camOpenDev(0, 0, 3264, 2448), 0);
  // YUY2 does not offer 3264 x 2448: switching takes its first size.
  ASSERT_EQ(cam.camSetMediaType(0, 1), 0);
  int32_t format = 0, width = 0, height = 0;
  cam.camGetCurResolution(0, &format, &width, &height);
  EXPECT_EQ(format, 1);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(cam.camSetResolution(0, 1920, 1080), 0);
  EXPECT_NE(cam.camSetResolution(0, 123, 456), 0);
  EXPECT_NE(cam.camSetMediaType(0, 2), 0);
  cam.camGetCurResolution(0, &format, &width, &height);
  EXPECT_EQ(width, 1920);
  EXPECT_EQ(height, 1080);
}

TEST_F(DeviceContract, TheDpiOverrideReplacesTheNativeDpiUntilZeroZero) {
  ASSERT_EQ(cam.camOpenDev(0, 0, 1280, 720), 0);
  int32_t nativeX = 0, nativeY = 0, x = 0, y = 0;
  cam.camGetImageDPI(0, &nativeX, &nativeY);
  cam.camSetImageDPI(0, 200, 200);
  cam.camGetImageDPI(0, &x, &y);
  EXPECT_EQ(x, 200);
  EXPECT_EQ(y, 200);
  cam.camSetImageDPI(0, 0, 0);
  cam.camGetImageDPI(0, &x, &y);
  EXPECT_EQ(x, nativeX);
  EXPECT_EQ(y, nativeY);
}

TEST_F(DeviceContract, MinusOneIsIgnoredBySettersAndRefusedWhereAResultMatters) {
  for (int32_t result :
       {cam.camCloseDev(-1), cam.camSetPreviewWindow(-1, 0), cam.camZooIn(-1), cam.camZoomOut(-1),
        cam.camOriginalPreview(-1), cam.camOptimalPreview(-1), cam.camSetImageRotateMode(-1, 1),
        cam.camSetImageColorStyle(-1, 1), cam.camSetImageAdjust(-1, 3),
        cam.camSetImageAutoCrop(-1, 1), cam.camSetImageCusCropRect(-1, 0, 0, 100, 100),
        cam.camSetImageFillBorder(-1, 1), cam.camSetImageDPI(-1, 0, 0), cam.camStopAutoCapture(-1),
        cam.camShowDevSettingWindow(-1), cam.camShowImageSettingWindow(-1),
        cam.camSetImageWaterMark(-1, "", 4, 36, "", 0, 0, 0, 0, 0, 0, 0, 0, 0)})
    EXPECT_EQ(result, 0);
  int32_t out = 77, out2 = 77, out3 = 77;
  EXPECT_NE(cam.camOpenDev(-1, 0, 640, 480), 0);
  EXPECT_NE(cam.camSetResolution(-1, 640, 480), 0);
  EXPECT_NE(cam.camGetCurResolution(-1, &out, &out2, &out3), 0);
  EXPECT_NE(cam.camAutoFocus(-1, 0), 0);
  EXPECT_EQ(out, 77);
  EXPECT_EQ(cam.camGetDevName(-1), nullptr);
  // Indices past the list fail for every call, setters included.
  EXPECT_NE(cam.camCloseDev(2), 0);
  EXPECT_NE(cam.camSetImageRotateMode(9, 1), 0);
}

TEST_F(DeviceContract, PreviewControlsAndSettingsWindowsWorkOnAnOpenDevice) {
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  EXPECT_EQ(cam.camSetPreviewWindow(0, 1234), 0);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(cam.camZooIn(0), 0);
  EXPECT_EQ(cam.camZoomOut(0), 0);
  EXPECT_EQ(cam.camOriginalPreview(0), 0);
  EXPECT_EQ(cam.camOptimalPreview(0), 0);
  EXPECT_EQ(cam.camAutoFocus(0, 0), 0);
  EXPECT_NE(cam.camAutoFocus(1, 0), 0);  // not open
  EXPECT_EQ(cam.camShowDevSettingWindow(0), 0);
  EXPECT_EQ(cam.camShowImageSettingWindow(0), 0);
  EXPECT_EQ(cam.camSetPreviewWindow(0, 0), 0);
  EXPECT_NE(cam.camSetImageRotateMode(0, 4), 0);
  EXPECT_NE(cam.camSetImageColorStyle(0, 3), 0);
  EXPECT_NE(cam.camSetImageAutoCrop(0, 3), 0);
}

TEST_F(DeviceContract, CreateDirectoryMakesMissingParentsAndAcceptsBackslashes) {
  EXPECT_EQ(cam.camCreateDirectory((folder.Path() + "/a/b/c").c_str()), 0);
  EXPECT_EQ(cam.camCreateDirectory((folder.Path() + "\\Dorvel").c_str()), 0);
  EXPECT_EQ(cam.camCreateDirectory((folder.Path() + "/a/b/c").c_str()), 0);  // exists
  EXPECT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  // Natively a Windows-style name lands in the folder just created.
  EXPECT_EQ(Capture("Dorvel\\1_5.bmp"), 0);
  FILE* file = std::fopen((folder.Path() + "/Dorvel/1_5.bmp").c_str(), "rb");
  EXPECT_NE(file, nullptr);
  if (file) std::fclose(file);
  EXPECT_NE(cam.camCreateDirectory(nullptr), 0);
  EXPECT_NE(cam.camCreateDirectory(""), 0);
}

TEST(DeviceContractBeforeStart, DeviceCallsFailUntilTheLibraryIsInitialised) {
  const KelpraApi& cam = Kelpra();
  cam.camUnInitCameraLib();
  int32_t count = 5;
  EXPECT_NE(cam.camGetDevCount(&count), 0);
  EXPECT_EQ(count, 5);
  EXPECT_NE(cam.camOpenDev(0, 0, 640, 480), 0);
  EXPECT_EQ(cam.camGetDevName(0), nullptr);
  EXPECT_NE(cam.camStopCameraLib(), 0);
  ASSERT_EQ(cam.camInitCameraLib(), 0);
  EXPECT_EQ(cam.camGetDevCount(&count), 0);
  EXPECT_EQ(count, 2);
  // Stop closes the devices; update finds them again.
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  EXPECT_EQ(cam.camStopCameraLib(), 0);
  EXPECT_EQ(cam.camUpdateCameraLib(), 0);
  char path[1024] = "/tmp/kelpra-closed.bmp";
  EXPECT_NE(cam.camCaptureImageFile(0, path), 0);
  cam.camUnInitCameraLib();
}

// The configuration file beside the library (here named by KELPRA_CONFIG).
class ConfigFile : public KelpraTest {
 protected:
  void TearDown() override {
    setenv("KELPRA_CONFIG", "/nonexistent/Kelpra.ini", 1);
    KelpraTest::TearDown();
  }
  void UseConfig(const std::string& text) {
    const std::string path = folder.File("Kelpra.ini");
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs(text.c_str(), file);
    std::fclose(file);
    setenv("KELPRA_CONFIG", path.c_str(), 1);
    cam.camUnInitCameraLib();
  }
};

TEST_F(ConfigFile, ItsDevicesReplaceTheBuiltInOnesAndItsFailuresAreArmedOnce) {
  UseConfig(
      "[Library]\n"
      "Fail=camInitCameraLib,1,-9\n"
      "Fail=camOpenDev,1,-5\n"
      "[Device]\n"
      "Name=Configured Camera\n"
      "Format=RGB3\n"
      "Size=800x600@150\n");
  EXPECT_EQ(cam.camInitCameraLib(), -9);
  ASSERT_EQ(cam.camInitCameraLib(), 0);  // the failure is not armed again
  int32_t count = 0, dpiX = 0, dpiY = 0;
  cam.camGetDevCount(&count);
  EXPECT_EQ(count, 1);
  EXPECT_STREQ(cam.camGetDevName(0), "Configured Camera");
  EXPECT_STREQ(cam.camGetMediaTypeName(0, 0), "RGB3");
  EXPECT_EQ(cam.camOpenDev(0, 0, 800, 600), -5);
  EXPECT_EQ(cam.camOpenDev(0, 0, 800, 600), 0);
  cam.camGetImageDPI(0, &dpiX, &dpiY);
  EXPECT_EQ(dpiX, 150);
  cam.camUnInitCameraLib();
  ASSERT_EQ(cam.camInitCameraLib(), 0);
  EXPECT_EQ(cam.camOpenDev(0, 0, 800, 600), 0);
}

TEST_F(ConfigFile, AFaultyCameraReportsWhatTheFileSaysAndKeepsItsRealSizes) {
  UseConfig(
      "[Library]\n"
      "ReportedDevices=100000\n"
      "[Device]\n"
      "Name=Broken Camera\n"
      "OpenFails=-5\n"
      "ReportedFormats=-3\n"
      "ReportedSizes=300\n"
      "ReportedWidth=0\n"
      "Format=MJPG\n"
      "Size=640x480\n"
      "[Device]\n"
      "Name=Sound Camera\n"
      "Format=MJPG\n"
      "Size=800x600\n");
  ASSERT_EQ(cam.camInitCameraLib(), 0);
  int32_t count = 0, format = -1, width = -1, height = -1;
  ASSERT_EQ(cam.camGetDevCount(&count), 0);
  EXPECT_EQ(count, 100000);
  EXPECT_EQ(cam.camGetDevName(2), nullptr);
  EXPECT_EQ(cam.camOpenDev(0, 0, 640, 480), -5);
  ASSERT_EQ(cam.camGetMediaTypeCount(0, &count), 0);
  EXPECT_EQ(count, -3);
  ASSERT_EQ(cam.camGetResolutionCount(0, 0, &count), 0);
  EXPECT_EQ(count, 300);
  EXPECT_NE(cam.camGetResolution(0, 0, 1, &width, &height), 0);
  ASSERT_EQ(cam.camGetCurResolution(0, &format, &width, &height), 0);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 480);
  // The other device is sound.
  EXPECT_EQ(cam.camOpenDev(1, 0, 800, 600), 0);
  ASSERT_EQ(cam.camGetCurResolution(1, &format, &width, &height), 0);
  EXPECT_EQ(width, 800);
  ASSERT_EQ(cam.camGetResolutionCount(1, 0, &count), 0);
  EXPECT_EQ(count, 1);
}

std::vector<int32_t> g_clocklessValues;
int32_t CAM_CALL RecordClockless(int32_t value) {
  g_clocklessValues.push_back(value);
  return 1;
}

TEST_F(ConfigFile, ARunWithoutClockReportsOnlyWhatTheTestTicks) {
  // The harness's short tick would override the file's.
  struct TickOverride {
    TickOverride() { unsetenv("KELPRA_TICK_MS"); }
    ~TickOverride() { setenv("KELPRA_TICK_MS", "20", 1); }
  } withoutOverride;
  UseConfig("[Library]\nTickMs=0\n");
  ASSERT_EQ(cam.camInitCameraLib(), 0);
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  g_clocklessValues.clear();
  ASSERT_EQ(cam.camStartAutoCapture(0, 1, 2, RecordClockless), 0);
  EXPECT_EQ(cam.kelpraTestAutoCaptureThreads(), 0);
  EXPECT_EQ(cam.kelpraTestAutoCaptureTick(0, 4), 4);  // on this thread, at once
  EXPECT_EQ(g_clocklessValues, (std::vector<int32_t>{0, 1, 2, 0}));
  cam.camStopAutoCapture(0);
  EXPECT_LT(cam.kelpraTestAutoCaptureTick(0, 1), 0);
  EXPECT_EQ(g_clocklessValues.size(), 4u);
}

}  // namespace
}  // namespace kelpra_test
