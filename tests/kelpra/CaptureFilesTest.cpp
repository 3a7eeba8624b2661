// Captured files, read back with an independent decoder: format, size, DPI,
// rotation, colour style, crops and edge fill.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "IdentifiedImage.h"
#include "KelpraHarness.h"

namespace kelpra_test {
namespace {

class CaptureFiles : public CapturedPictureTest {
 protected:
  IdentifiedImage Shot(const std::string& name) {
    EXPECT_EQ(Capture(name), 0) << name;
    return Identify(File(name));
  }
};

TEST_F(CaptureFiles, EachExtensionGivesItsFormatAtTheFrameSizeAndTheNativeOrTheSetDpi) {
  // Native: 640 x 3 / 64 = 30 DPI; 0, 0 puts it back after an override.
  for (const int32_t dpi : {250, 0}) {
    cam.camSetImageDPI(0, dpi, dpi);
    for (const auto& [ext, format] :
         {std::pair{"bmp", "BMP"}, {"jpg", "JPEG"}, {"png", "PNG"}, {"tif", "TIFF"}}) {
      const std::string name = std::to_string(dpi) + "." + ext;
      const IdentifiedImage image = Shot(name);
      ASSERT_TRUE(image.ok) << name;
      EXPECT_EQ(image.format.rfind(format, 0), 0u) << image.format;  // BMP may read "BMP3"
      EXPECT_EQ(image.Size(), "640x480") << name;
      EXPECT_FALSE(image.LooksGrey()) << name << " " << image.type;
      EXPECT_NEAR(image.dpiX, dpi ? dpi : 30, 0.5) << name;
      EXPECT_NEAR(image.dpiY, dpi ? dpi : 30, 0.5) << name;
    }
  }
}

TEST_F(CaptureFiles, QuarterTurnsSwapWidthAndHeightAndTurnClockwise) {
  ASSERT_EQ(Capture("r0.bmp"), 0);
  for (int rotation = 1; rotation < 4; ++rotation) {
    cam.camSetImageRotateMode(0, rotation);
    const IdentifiedImage image = Shot("r" + std::to_string(rotation) + ".bmp");
    EXPECT_EQ(image.Size(), rotation % 2 ? "480x640" : "640x480") << rotation;
  }
  // The desk's brown top-left corner is the top-right one after a clockwise turn.
  const std::array<int, 3> upright = PixelAt(File("r0.bmp"), 2, 2),
                           turned = PixelAt(File("r1.bmp"), 477, 2);
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
      const bool bilevel = c.style == 2 && std::string(ext) != ".jpg";
      EXPECT_TRUE(!bilevel || image.type == "Bilevel") << name << " " << image.type;
    }
  }
}

TEST_F(CaptureFiles, CropsKeepTheLargestDocumentThePercentRectangleOrEveryDocument) {
  cam.camSetImageAutoCrop(0, 1);
  const IdentifiedImage single = Shot("single.png");
  EXPECT_LT(single.width, 640);
  EXPECT_LT(single.height, 480);
  EXPECT_GT(single.width * single.height, 640 * 480 / 4);
  cam.camSetImageAutoCrop(0, 0);
  cam.camSetImageCusCropRect(0, 25, 50, 75, 100);
  const IdentifiedImage custom = Shot("custom.png");
  EXPECT_EQ(custom.Size(), "320x240");
  cam.camSetImageCusCropRect(0, 0, 0, 0, 0);
  EXPECT_EQ(Shot("whole.png").width, 640);

  // Every document: the capture window's tests hold the file list a
  // two-document camera gives to literal names; the pictures differ.
  cam.camSetImageAutoCrop(0, 2);
  ASSERT_EQ(Capture("multi.jpg"), 0);
  const IdentifiedImage a = Identify(File("multi_1.jpg")), b = Identify(File("multi_2.jpg"));
  ASSERT_TRUE(a.ok && b.ok);
  EXPECT_NE(a.width * a.height, b.width * b.height);
  // The webcam sees one document: the buffer keeps the path itself.
  std::string buffer;
  ASSERT_EQ(cam.camOpenDev(1, 0, 640, 480), 0);
  cam.camSetImageAutoCrop(1, 2);
  ASSERT_EQ(Capture("one.png", &buffer, 1), 0);
  EXPECT_EQ(buffer, File("one.png"));
  EXPECT_TRUE(Identify(buffer).ok);
}

TEST_F(CaptureFiles, EdgeFillWhitensTheDeskAroundTheDocument) {
  ASSERT_EQ(Capture("desk.bmp"), 0);
  cam.camSetImageFillBorder(0, 1);
  ASSERT_EQ(Capture("filled.bmp"), 0);
  EXPECT_LT(PixelAt(File("desk.bmp"), 2, 2)[2], 150);  // brown wood
  EXPECT_EQ(PixelAt(File("filled.bmp"), 2, 2), (std::array<int, 3>{255, 255, 255}));
}

TEST_F(CaptureFiles, CaptureFailsForBadNamesClosedDevicesAndFileListsTheBufferCannotHold) {
  EXPECT_NE(Capture("picture.gif"), 0);
  EXPECT_NE(Capture("no-extension"), 0);
  EXPECT_NE(Capture("missing-folder/a.png"), 0);
  EXPECT_NE(Capture("webcam.png", nullptr, 1), 0);  // device 1 is not open
  EXPECT_NE(Capture("none.png", nullptr, -1), 0);
  EXPECT_NE(cam.camCaptureImageFile(0, nullptr), 0);
  std::vector<char> unterminated(1024, 'x');
  EXPECT_NE(cam.camCaptureImageFile(0, unterminated.data()), 0);
  // A file list that would overflow the buffer fails and leaves no files.
  cam.camSetImageAutoCrop(0, 2);
  // Each listed name is longer than the given one, so two of them cannot fit.
  const std::string deep = std::string(100, 'a') + "/" + std::string(100, 'b') + "/" +
                           std::string(100, 'c') + "/" + std::string(100, 'd') + "/";
  std::filesystem::create_directories(File(deep));
  const std::string name = deep + std::string(600 - File(deep).size(), 'n') + ".png";
  std::string buffer;
  EXPECT_NE(Capture(name, &buffer), 0);
  EXPECT_EQ(buffer, File(name));
  EXPECT_TRUE(std::filesystem::is_empty(File(deep)));
}

}  // namespace
}  // namespace kelpra_test
