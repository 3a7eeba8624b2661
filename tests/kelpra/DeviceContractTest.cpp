// The device exports as the capture window uses them: listing, opening,
// formats and sizes, DPI, the "no device" index -1 and calls before
// start-up. Configured devices and their faults are read by the
// configuration tests and served to the capture window's tests, which hold
// what the window makes of them to literal lists.
#include <filesystem>
#include <string>

#include "KelpraHarness.h"

namespace kelpra_test {
namespace {

class DeviceContract : public KelpraTest {
 protected:
  // The open device's format and frame size, "format:WxH", and its DPI.
  std::string Current(int32_t device) {
    int32_t format = -5, width = 0, height = 0, dpiX = 0, dpiY = 0;
    EXPECT_EQ(cam.camGetCurResolution(device, &format, &width, &height), 0);
    EXPECT_EQ(cam.camGetImageDPI(device, &dpiX, &dpiY), 0);
    return std::to_string(format) + ":" + std::to_string(width) + "x" + std::to_string(height) +
           "@" + std::to_string(dpiX) + "," + std::to_string(dpiY);
  }
};

TEST_F(DeviceContract, TheBuiltInDevicesAreADocumentCameraAndAWebcam) {
  int32_t count = 0, formats = 0;
  ASSERT_EQ(cam.camGetDevCount(&count), 0);
  ASSERT_EQ(count, 2);
  cam.camGetMediaTypeCount(0, &formats);
  EXPECT_EQ(formats, 2);
  // The names and sizes are held to literal lists by the capture window's
  // frame size tests, which read them through the window.
  // The document camera's native DPI grows with the frame (width x 3 / 64);
  // the webcam's is 96.
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  EXPECT_EQ(Current(0), "0:640x480@30,30");
  ASSERT_EQ(cam.camSetResolution(0, 3264, 2448), 0);
  EXPECT_EQ(Current(0), "0:3264x2448@153,153");
  ASSERT_EQ(cam.camSetResolution(0, 6400, 4800), 0);
  EXPECT_EQ(Current(0), "0:6400x4800@300,300");
  ASSERT_EQ(cam.camOpenDev(1, 0, 640, 480), 0);
  EXPECT_EQ(Current(1), "0:640x480@96,96");
}

TEST_F(DeviceContract, OnlyOfferedFormatsAndSizesOpenAndAFormatChangeKeepsTheSizeConsistent) {
  EXPECT_NE(cam.camOpenDev(0, 0, 1024, 600), 0);
  EXPECT_NE(cam.camOpenDev(0, 5, 640, 480), 0);
  EXPECT_NE(cam.camOpenDev(0, -1, 640, 480), 0);
  EXPECT_NE(cam.camOpenDev(1, 0, 3264, 2448), 0);  // the webcam is smaller
  ASSERT_EQ(cam.camOpenDev(0, 0, 3264, 2448), 0);
  // YUY2 does not offer 3264 x 2448: switching takes its first size.
  ASSERT_EQ(cam.camSetMediaType(0, 1), 0);
  EXPECT_EQ(Current(0), "1:640x480@30,30");
  EXPECT_EQ(cam.camSetResolution(0, 1920, 1080), 0);
  EXPECT_NE(cam.camSetResolution(0, 123, 456), 0);
  EXPECT_NE(cam.camSetMediaType(0, 2), 0);
  EXPECT_EQ(Current(0), "1:1920x1080@90,90");
  // The DPI override holds until 0, 0.
  cam.camSetImageDPI(0, 200, 200);
  EXPECT_EQ(Current(0), "1:1920x1080@200,200");
  cam.camSetImageDPI(0, 0, 0);
  EXPECT_EQ(Current(0), "1:1920x1080@90,90");
}

TEST_F(DeviceContract, MinusOneIsIgnoredBySettersAndEveryBadValueIsRefused) {
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
  // Indices past the list, closed devices and values out of range fail.
  EXPECT_NE(cam.camCloseDev(2), 0);
  EXPECT_NE(cam.camSetImageRotateMode(9, 1), 0);
  EXPECT_NE(cam.camAutoFocus(1, 0), 0);
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  EXPECT_NE(cam.camSetImageRotateMode(0, 4), 0);
  EXPECT_NE(cam.camSetImageColorStyle(0, 3), 0);
  EXPECT_NE(cam.camSetImageAutoCrop(0, 3), 0);
}

// Windows-style names (the work folder, the files captured into it) are the
// capture window's and the work folder's tests, which run natively on this
// library.
TEST_F(DeviceContract, CreateDirectoryMakesMissingParentsAndAcceptsAnExistingFolder) {
  EXPECT_EQ(cam.camCreateDirectory(File("a/b/c").c_str()), 0);
  EXPECT_TRUE(std::filesystem::is_directory(File("a/b/c")));
  EXPECT_EQ(cam.camCreateDirectory(File("a/b/c").c_str()), 0);  // exists
  EXPECT_NE(cam.camCreateDirectory(nullptr), 0);
  EXPECT_NE(cam.camCreateDirectory(""), 0);
}

TEST_F(DeviceContract, DeviceCallsFailUntilTheLibraryIsInitialisedAndStopClosesTheDevices) {
  cam.camUnInitCameraLib();
  int32_t count = 5;
  EXPECT_NE(cam.camGetDevCount(&count), 0);
  EXPECT_EQ(count, 5);
  EXPECT_NE(cam.camOpenDev(0, 0, 640, 480), 0);
  EXPECT_EQ(cam.camGetDevName(0), nullptr);
  EXPECT_NE(cam.camStopCameraLib(), 0);
  ASSERT_EQ(cam.camInitCameraLib(), 0);
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  EXPECT_EQ(cam.camStopCameraLib(), 0);
  EXPECT_EQ(cam.camUpdateCameraLib(), 0);
  EXPECT_NE(Capture("closed.bmp"), 0);
}

}  // namespace
}  // namespace kelpra_test
