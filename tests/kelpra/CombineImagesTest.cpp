// camCombineImage: the eight outside placements, the inset, the DPI kept
// and the inputs refused.
#include <array>
#include <string>

#include "IdentifiedImage.h"
#include "KelpraHarness.h"

namespace kelpra_test {
namespace {

class CombineImages : public CapturedPictureTest {
 protected:
  void SetUp() override {
    CapturedPictureTest::SetUp();
    // A 640 x 480 main picture and a 480 x 640 second one.
    ASSERT_EQ(Capture("main.bmp"), 0);
    cam.camSetImageRotateMode(0, 1);
    ASSERT_EQ(Capture("second.png"), 0);
  }
  int32_t Combine(const std::string& out, int mode, int x = 0, int y = 0, int w = 0, int h = 0,
                  const std::string& first = "main.bmp") {
    return cam.camCombineImage(File(first).c_str(), File("second.png").c_str(), File(out).c_str(),
                               mode, x, y, w, h);
  }
};

TEST_F(CombineImages, OutsidePlacementsGrowTheCanvasOnTheirSideAndPutThePictureAtTheirEnd) {
  // Sides: 1, 4, 5, 8 left or right (widths add up); 2, 3, 6, 7 top or
  // bottom. Scaled to 100 x 50 the second picture sits in picture's place,
  // white filler beside it.
  struct Case {
    int mode;
    int pictureX, pictureY;  // inside the second picture
    int fillerX, fillerY;    // white canvas next to it
  };
  const Case cases[] = {
      {1, 50, 25, 50, 400},    {2, 50, 25, 600, 25},    {3, 590, 25, 50, 25},
      {4, 690, 25, 690, 400},  {5, 690, 455, 690, 50},  {6, 590, 505, 50, 505},
      {7, 50, 505, 600, 505},  {8, 50, 455, 50, 50},
  };
  for (const Case& c : cases) {
    const bool sideBySide = c.mode == 1 || c.mode == 4 || c.mode == 5 || c.mode == 8;
    const std::string whole = "outside" + std::to_string(c.mode) + ".png";
    ASSERT_EQ(Combine(whole, c.mode), 0) << c.mode;
    const IdentifiedImage image = Identify(File(whole));
    EXPECT_EQ(image.Size(), sideBySide ? "1120x640" : "640x1120") << c.mode;

    const std::string scaled = "end" + std::to_string(c.mode) + ".bmp";
    ASSERT_EQ(Combine(scaled, c.mode, 0, 0, 100, 50), 0);
    EXPECT_EQ(PixelAt(File(scaled), c.fillerX, c.fillerY), (std::array<int, 3>{255, 255, 255}))
        << c.mode;
    EXPECT_LT(PixelAt(File(scaled), c.pictureX, c.pictureY)[2], 250) << c.mode;  // wood, not white
  }
}

TEST_F(CombineImages, InsideMergeKeepsTheMainSizeAndScalesTheInset) {
  ASSERT_EQ(Combine("inset.jpg", 0, 213, 100, 213, 284), 0);
  const IdentifiedImage image = Identify(File("inset.jpg"));
  EXPECT_EQ(image.format, "JPEG");
  EXPECT_EQ(image.Size(), "640x480");
  // The inset's top-left corner shows the second picture's (turned) corner.
  const std::array<int, 3> secondCorner = PixelAt(File("second.png"), 1, 1),
                           insetCorner = PixelAt(File("inset.jpg"), 214, 101);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(insetCorner[k], secondCorner[k], 24);
}

// The output is written as a capture is (the capture tests check each
// format); it keeps the first picture's DPI, and a combined TIFF can itself
// be combined again.
TEST_F(CombineImages, TheOutputKeepsTheFirstDpiAndATiffOutputCanBeCombinedAgain) {
  ASSERT_EQ(Combine("joined.tif", 4), 0);
  EXPECT_NEAR(Identify(File("joined.tif")).dpiX, 30, 0.5);  // the main picture's 640 x 3 / 64
  EXPECT_EQ(cam.camCombineImage(File("joined.tif").c_str(), File("main.bmp").c_str(),
                                File("again.png").c_str(), 7, 0, 0, 0, 0), 0);
  EXPECT_EQ(Identify(File("again.png")).height, 640 + 480);  // a side-by-side join, main below
}

TEST_F(CombineImages, UnknownModesMissingFilesAndBadOutputsFail) {
  EXPECT_NE(Combine("bad.png", 9), 0);
  EXPECT_NE(Combine("bad.png", -1), 0);
  EXPECT_NE(Combine("bad.png", 4, 0, 0, 0, 0, "missing.bmp"), 0);
  EXPECT_NE(Combine("out.gif", 4), 0);
  EXPECT_NE(cam.camCombineImage(nullptr, File("second.png").c_str(), File("bad.png").c_str(), 4,
                                0, 0, 0, 0), 0);
  EXPECT_FALSE(Identify(File("bad.png")).ok);
}

}  // namespace
}  // namespace kelpra_test
