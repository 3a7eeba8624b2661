// camCombineImage: the eight outside placements, the inset, the output
// format by extension.
#include <string>

#include "IdentifiedImage.h"
#include "KelpraHarness.h"

namespace kelpra_test {
namespace {

class CombineImages : public KelpraTest {
 protected:
  void SetUp() override {
    KelpraTest::SetUp();
    ASSERT_TRUE(ImageMagickInstalled());
    // A 640 x 480 main picture and a 480 x 640 second one.
    ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
    ASSERT_EQ(Capture("main.bmp"), 0);
    cam.camSetImageRotateMode(0, 1);
    ASSERT_EQ(Capture("second.png"), 0);
    main = folder.File("main.bmp");
    second = folder.File("second.png");
  }
  std::string main, second;
};

TEST_F(CombineImages, OutsidePlacementsGrowTheCanvasOnTheirSide) {
  // Sides: 1, 4, 5, 8 left or right (widths add up); 2, 3, 6, 7 top or
  // bottom (heights add up).
  for (int mode = 1; mode <= 8; ++mode) {
    const std::string out = folder.File("outside" + std::to_string(mode) + ".png");
    ASSERT_EQ(cam.camCombineImage(main.c_str(), second.c_str(), out.c_str(), mode, 0, 0, 0, 0), 0)
        << mode;
    const IdentifiedImage image = Identify(out);
    const bool sideBySide = mode == 1 || mode == 4 || mode == 5 || mode == 8;
    EXPECT_EQ(image.width, sideBySide ? 640 + 480 : 640) << mode;
    EXPECT_EQ(image.height, sideBySide ? 640 : 480 + 640) << mode;
  }
}

TEST_F(CombineImages, OutsidePlacementsPutTheSecondPictureAtTheirEnd) {
  // Scaled to 100 x 50 the second picture is far smaller than the first, so
  // where it sits the canvas holds picture, and beside it white filler.
  struct Case {
    int mode;
    int pictureX, pictureY;  // inside the second picture
    int fillerX, fillerY;    // white canvas next to it
  };
  const Case cases[] = {
      {1, 50, 25, 50, 400},    // left side, upper end
      {2, 50, 25, 600, 25},    // top side, left end
      {3, 590, 25, 50, 25},    // top side, right end
      {4, 690, 25, 690, 400},  // right side, upper end
      {5, 690, 455, 690, 50},  // right side, lower end
      {6, 590, 505, 50, 505},  // bottom side, right end
      {7, 50, 505, 600, 505},  // bottom side, left end
      {8, 50, 455, 50, 50},    // left side, lower end
  };
  for (const Case& c : cases) {
    const std::string out = folder.File("end" + std::to_string(c.mode) + ".bmp");
    ASSERT_EQ(cam.camCombineImage(main.c_str(), second.c_str(), out.c_str(), c.mode, 0, 0, 100, 50),
              0);
    int picture[3], filler[3];
    ASSERT_TRUE(PixelAt(out, c.pictureX, c.pictureY, picture));
    ASSERT_TRUE(PixelAt(out, c.fillerX, c.fillerY, filler));
    EXPECT_EQ(filler[0] + filler[1] + filler[2], 3 * 255) << c.mode;
    EXPECT_LT(picture[2], 250) << c.mode;  // wood, not white
  }
}

TEST_F(CombineImages, InsideMergeKeepsTheMainSizeAndScalesTheInset) {
  const std::string out = folder.File("inset.jpg");
  ASSERT_EQ(cam.camCombineImage(main.c_str(), second.c_str(), out.c_str(), 0, 213, 100, 213, 284),
            0);
  const IdentifiedImage image = Identify(out);
  EXPECT_EQ(image.format, "JPEG");
  EXPECT_EQ(image.width, 640);
  EXPECT_EQ(image.height, 480);
  // The inset's top-left corner shows the second picture's (turned) corner.
  int secondCorner[3], insetCorner[3];
  ASSERT_TRUE(PixelAt(second, 1, 1, secondCorner));
  ASSERT_TRUE(PixelAt(out, 214, 101, insetCorner));
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(insetCorner[k], secondCorner[k], 24);
}

TEST_F(CombineImages, TheOutputFormatFollowsItsExtensionAndKeepsTheFirstDpi) {
  int32_t dpiX = 0, dpiY = 0;
  cam.camGetImageDPI(0, &dpiX, &dpiY);
  for (const char* ext : {".bmp", ".jpg", ".png", ".tif"}) {
    const std::string out = folder.File(std::string("joined") + ext);
    ASSERT_EQ(cam.camCombineImage(main.c_str(), second.c_str(), out.c_str(), 4, 0, 0, 0, 0), 0);
    const IdentifiedImage image = Identify(out);
    EXPECT_TRUE(image.ok) << ext;
    EXPECT_NEAR(image.dpiX, dpiX, 0.5) << ext;
  }
  // A combined TIFF can itself be combined again.
  const std::string again = folder.File("again.png");
  const std::string tif = folder.File("joined.tif");
  EXPECT_EQ(cam.camCombineImage(tif.c_str(), main.c_str(), again.c_str(), 7, 0, 0, 0, 0), 0);
  EXPECT_EQ(Identify(again).height, 640 + 480);  // a side-by-side join, then main below
}

TEST_F(CombineImages, UnknownModesMissingFilesAndBadOutputsFail) {
  const std::string out = folder.File("bad.png");
  EXPECT_NE(cam.camCombineImage(main.c_str(), second.c_str(), out.c_str(), 9, 0, 0, 0, 0), 0);
  EXPECT_NE(cam.camCombineImage(main.c_str(), second.c_str(), out.c_str(), -1, 0, 0, 0, 0), 0);
  const std::string missing = folder.File("missing.bmp");
  EXPECT_NE(cam.camCombineImage(missing.c_str(), second.c_str(), out.c_str(), 4, 0, 0, 0, 0), 0);
  const std::string gif = folder.File("out.gif");
  EXPECT_NE(cam.camCombineImage(main.c_str(), second.c_str(), gif.c_str(), 4, 0, 0, 0, 0), 0);
  EXPECT_NE(cam.camCombineImage(nullptr, second.c_str(), out.c_str(), 4, 0, 0, 0, 0), 0);
  EXPECT_FALSE(Identify(out).ok);
}

}  // namespace
}  // namespace kelpra_test
