// Captured files, read back with an independent decoder: format, size,
// rotation, colour style, crops and DPI.
#include <sys/stat.h>

#include <string>

#include "IdentifiedImage.h"
#include "KelpraHarness.h"

namespace kelpra_test {
namespace {

class CaptureFiles : public KelpraTest {
 protected:
  void SetUp() override {
    KelpraTest::SetUp();
    ASSERT_TRUE(ImageMagickInstalled());
    ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  }
  IdentifiedImage Shot(const std::string& name) {
    EXPECT_EQ(Capture(name), 0) << name;
    return Identify(folder.File(name));
  }
};

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

TEST_F(CaptureFiles, EachExtensionGivesItsFormatAtTheFrameSizeWithTheNativeDpi) {
  int32_t dpiX = 0, dpiY = 0;
  ASSERT_EQ(cam.camGetImageDPI(0, &dpiX, &dpiY), 0);
  ASSERT_NE(dpiX, 96);
  const struct {
    const char* name;
    const char* format;
  } cases[] = {{"a.bmp", "BMP"}, {"a.jpg", "JPEG"}, {"a.png", "PNG"}, {"a.tif", "TIFF"}};
  for (const auto& c : cases) {
    const IdentifiedImage image = Shot(c.name);
    ASSERT_TRUE(image.ok) << c.name;
    EXPECT_EQ(image.format.rfind(c.format, 0), 0u) << image.format;  // BMP may read "BMP3"
    EXPECT_EQ(image.width, 640);
    EXPECT_EQ(image.height, 480);
    EXPECT_FALSE(image.LooksGrey()) << c.name << " " << image.type;
    EXPECT_NEAR(image.dpiX, dpiX, 0.5) << c.name;
    EXPECT_NEAR(image.dpiY, dpiY, 0.5) << c.name;
  }
}

TEST_F(CaptureFiles, TheDpiOverrideIsStoredAndZeroRestoresTheNativeDpi) {
  int32_t nativeX = 0, nativeY = 0;
  cam.camGetImageDPI(0, &nativeX, &nativeY);
  cam.camSetImageDPI(0, 250, 250);
  for (const char* name : {"o.bmp", "o.jpg", "o.png", "o.tif"}) {
    const IdentifiedImage image = Shot(name);
    EXPECT_NEAR(image.dpiX, 250, 0.5) << name;
    EXPECT_NEAR(image.dpiY, 250, 0.5) << name;
  }
  cam.camSetImageDPI(0, 0, 0);
  EXPECT_NEAR(Shot("n.png").dpiX, nativeX, 0.5);
}

TEST_F(CaptureFiles, QuarterTurnsSwapWidthAndHeight) {
  for (int rotation = 0; rotation < 4; ++rotation) {
    cam.camSetImageRotateMode(0, rotation);
    const std::string name = "r" + std::to_string(rotation) + ".png";
    const IdentifiedImage image = Shot(name);
    const bool quarter = rotation % 2 != 0;
    EXPECT_EQ(image.width, quarter ? 480 : 640) << name;
    EXPECT_EQ(image.height, quarter ? 640 : 480) << name;
  }
}

TEST_F(CaptureFiles, RotationTurnsThePictureClockwise) {
  // The desk's top-left corner is brown, the documents' paper white: after
  // a clockwise quarter turn the top-right corner shows the old top-left.
  ASSERT_EQ(Capture("upright.bmp"), 0);
  cam.camSetImageRotateMode(0, 1);
  ASSERT_EQ(Capture("turned.bmp"), 0);
  int upright[3], turned[3];
  ASSERT_TRUE(PixelAt(folder.File("upright.bmp"), 2, 2, upright));
  ASSERT_TRUE(PixelAt(folder.File("turned.bmp"), 480 - 3, 2, turned));
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(turned[k], upright[k], 2);
}

TEST_F(CaptureFiles, GreyAndBlackAndWhiteStylesWriteGreyPictures) {
  const struct { int style, adjustment; } cases[] = {{1, 3}, {2, 1}, {2, 4}};
  for (const auto& c : cases) {
    cam.camSetImageColorStyle(0, c.style);
    cam.camSetImageAdjust(0, c.adjustment);
    for (const char* ext : {".bmp", ".jpg", ".png", ".tif"}) {
      const std::string name =
          "s" + std::to_string(c.style) + "_" + std::to_string(c.adjustment) + ext;
      const IdentifiedImage image = Shot(name);
      EXPECT_TRUE(image.LooksGrey()) << name << " " << image.colourSpace << " " << image.type;
      if (c.style == 2 && std::string(ext) != ".jpg") {
        EXPECT_EQ(image.type, "Bilevel") << name;
      }
    }
  }
}

TEST_F(CaptureFiles, SingleAutoCropKeepsTheLargestDocumentOnly) {
  cam.camSetImageAutoCrop(0, 1);
  const IdentifiedImage image = Shot("single.png");
  EXPECT_LT(image.width, 640);
  EXPECT_LT(image.height, 480);
  EXPECT_GT(image.width * image.height, 640 * 480 / 4);
}

TEST_F(CaptureFiles, MultipleCropWritesOneFilePerDocumentAndListsThemInTheBuffer) {
  cam.camSetImageAutoCrop(0, 2);
  std::string buffer;
  ASSERT_EQ(Capture("multi.jpg", &buffer), 0);
  const std::string first = folder.File("multi_1.jpg"), second = folder.File("multi_2.jpg");
  EXPECT_EQ(buffer, first + ";" + second);
  EXPECT_FALSE(Exists(folder.File("multi.jpg")));
  const IdentifiedImage a = Identify(first), b = Identify(second);
  ASSERT_TRUE(a.ok && b.ok);
  EXPECT_EQ(a.format, "JPEG");
  EXPECT_NE(a.width * a.height, b.width * b.height);
}

TEST_F(CaptureFiles, MultipleCropOfASingleDocumentWritesThePathItself) {
  ASSERT_EQ(cam.camOpenDev(1, 0, 640, 480), 0);  // the webcam sees one document
  cam.camSetImageAutoCrop(1, 2);
  std::string buffer;
  ASSERT_EQ(Capture("one.png", &buffer, 1), 0);
  EXPECT_EQ(buffer, folder.File("one.png"));
  EXPECT_TRUE(Identify(buffer).ok);
}

TEST_F(CaptureFiles, AFileListThatWouldOverflowTheBufferFailsAndLeavesNoFiles) {
  cam.camSetImageAutoCrop(0, 2);
  // Each listed name is longer than the given one, so two of them cannot fit.
  const std::string name = std::string(600 - folder.Path().size(), 'n') + ".png";
  std::string buffer;
  EXPECT_NE(Capture(name, &buffer), 0);
  EXPECT_EQ(buffer, folder.File(name));
  EXPECT_FALSE(Exists(folder.File(name.substr(0, name.size() - 4) + "_1.png")));
}

TEST_F(CaptureFiles, CustomCropTakesThePercentRectangleAndZeroesSwitchItOff) {
  cam.camSetImageCusCropRect(0, 25, 50, 75, 100);
  IdentifiedImage image = Shot("custom.png");
  EXPECT_EQ(image.width, 320);
  EXPECT_EQ(image.height, 240);
  cam.camSetImageCusCropRect(0, 0, 0, 0, 0);
  image = Shot("whole.png");
  EXPECT_EQ(image.width, 640);
}

TEST_F(CaptureFiles, EdgeFillWhitensTheDeskAroundTheDocument) {
  ASSERT_EQ(Capture("desk.bmp"), 0);
  cam.camSetImageFillBorder(0, 1);
  ASSERT_EQ(Capture("filled.bmp"), 0);
  int desk[3], filled[3];
  ASSERT_TRUE(PixelAt(folder.File("desk.bmp"), 2, 2, desk));
  ASSERT_TRUE(PixelAt(folder.File("filled.bmp"), 2, 2, filled));
  EXPECT_LT(desk[2], 150);  // brown wood
  EXPECT_EQ(filled[0], 255);
  EXPECT_EQ(filled[1], 255);
  EXPECT_EQ(filled[2], 255);
}

TEST_F(CaptureFiles, CaptureFailsForUnknownExtensionsClosedDevicesAndMissingFolders) {
  EXPECT_NE(Capture("picture.gif"), 0);
  EXPECT_NE(Capture("no-extension"), 0);
  EXPECT_NE(Capture("missing-folder/a.png"), 0);
  EXPECT_NE(Capture("webcam.png", nullptr, 1), 0);  // device 1 is not open
  EXPECT_NE(Capture("none.png", nullptr, -1), 0);
  EXPECT_NE(cam.camCaptureImageFile(0, nullptr), 0);
  char unterminated[1024];
  std::fill(std::begin(unterminated), std::end(unterminated), 'x');
  EXPECT_NE(cam.camCaptureImageFile(0, unterminated), 0);
}

TEST_F(CaptureFiles, LargeFrameSizesAreWrittenWhole) {
  ASSERT_EQ(cam.camSetResolution(0, 3264, 2448), 0);
  const IdentifiedImage image = Shot("large.jpg");
  EXPECT_EQ(image.width, 3264);
  EXPECT_EQ(image.height, 2448);
  EXPECT_NEAR(image.dpiX, 153, 0.5);  // 3264 x 3 / 64, truncated
}

}  // namespace
}  // namespace kelpra_test
