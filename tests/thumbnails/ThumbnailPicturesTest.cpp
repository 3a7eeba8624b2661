// Adding picture files: the letterboxed thumbnail each one gets, and the
// files that are refused whole.
#include <gtest/gtest.h>

#include "thumbnails/ThumbnailListHarness.h"

using thumbnail_tests::Colour;
using thumbnail_tests::Format;
using thumbnail_tests::kWhite;
using thumbnail_tests::ThumbnailListHarness;

namespace {

constexpr Colour kRed{200, 30, 40};
constexpr Colour kBlue{20, 40, 220};

}  // namespace

TEST(ThumbnailPictures, LandscapeIsScaledToFitTheCellAndCentredOnWhite) {
  ThumbnailListHarness h(150);
  ASSERT_TRUE(h.initialised);
  EXPECT_EQ(h.listView->imageWidth, 90);
  EXPECT_EQ(h.listView->imageHeight, 66);

  EXPECT_EQ(h.Add(h.Picture("wide.bmp", 4000, 3000, kRed)), 0);
  ASSERT_EQ(h.listView->images.size(), 1u);
  const platform::RgbImage& cell = h.listView->images[0];
  ASSERT_EQ(cell.width, 90);
  ASSERT_EQ(cell.height, 66);
  // The 90 x 67 thumbnail is drawn 88 x 66 from column 1: one white column
  // on each side, no white row.
  for (int y : {0, 33, 65}) {
    EXPECT_EQ(h.PixelOfImage(0, 0, y), kWhite) << y;
    EXPECT_EQ(h.PixelOfImage(0, 1, y), kRed) << y;
    EXPECT_EQ(h.PixelOfImage(0, 88, y), kRed) << y;
    EXPECT_EQ(h.PixelOfImage(0, 89, y), kWhite) << y;
  }
}

TEST(ThumbnailPictures, PortraitIsCentredAcrossOnWhite) {
  ThumbnailListHarness h(150);
  EXPECT_EQ(h.Add(h.Picture("tall.png", 300, 400, kBlue, Format::Png)), 0);
  ASSERT_EQ(h.listView->images.size(), 1u);
  // 49 x 66 from column 20.
  for (int y : {0, 65}) {
    EXPECT_EQ(h.PixelOfImage(0, 19, y), kWhite);
    EXPECT_EQ(h.PixelOfImage(0, 20, y), kBlue);
    EXPECT_EQ(h.PixelOfImage(0, 68, y), kBlue);
    EXPECT_EQ(h.PixelOfImage(0, 69, y), kWhite);
  }
}

TEST(ThumbnailPictures, DownscaleAveragesFineDetailInsteadOfDroppingIt) {
  ThumbnailListHarness h(150);
  // Alternating black and white columns, one pixel wide: a picture that
  // skips pixels shows black or white, an averaging one shows grey.
  const std::filesystem::path file = h.folder.Path() / "stripes.png";
  std::vector<uint8_t> pixels(400 * 300 * 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = ((i / 3) % 2 == 0) ? 0 : 255;
  ASSERT_TRUE(thumbnail_tests::WriteRgbPng(file, 400, 300, pixels));
  ASSERT_EQ(h.Add(ThumbnailListHarness::Wide(file)), 0);
  const Colour middle = h.PixelOfImage(0, 45, 33);
  EXPECT_NEAR(middle.r, 128, 32);
  EXPECT_NEAR(middle.g, 128, 32);
}

TEST(ThumbnailPictures, TransparentPartsShowWhite) {
  ThumbnailListHarness h(150);
  const std::filesystem::path file = h.folder.Path() / "half.png";
  ASSERT_TRUE(thumbnail_tests::WriteHalfTransparentPng(file, 400, 300, kBlue));
  ASSERT_EQ(h.Add(ThumbnailListHarness::Wide(file)), 0);
  EXPECT_EQ(h.PixelOfImage(0, 10, 33), kWhite);
  EXPECT_EQ(h.PixelOfImage(0, 80, 33), kBlue);
}

TEST(ThumbnailPictures, JpegPicturesAreShownToo) {
  ThumbnailListHarness h(150);
  EXPECT_EQ(h.Add(h.Picture("photo.jpg", 640, 480, kRed, Format::Jpeg)), 0);
  const Colour centre = h.PixelOfImage(0, 45, 33);
  EXPECT_NEAR(centre.r, kRed.r, 6);
  EXPECT_NEAR(centre.b, kRed.b, 6);
}

TEST(ThumbnailPictures, AVeryNarrowListStillGetsOnePixelThumbnails) {
  ThumbnailListHarness h(40);
  EXPECT_EQ(h.listView->imageWidth, 1);
  EXPECT_EQ(h.listView->imageHeight, 1);
  EXPECT_EQ(h.Add(h.Picture("any.bmp", 64, 48, kRed)), 0);
  EXPECT_EQ(h.PixelOfImage(0, 0, 0), kRed);
  EXPECT_EQ(h.listView->items.size(), 1u);
}

TEST(ThumbnailPictures, FilesThatAreNotShowablePicturesAreRefusedWhole) {
  ThumbnailListHarness h(150);
  const std::u16string refused[] = {
      ThumbnailListHarness::Wide(h.folder.Path() / "missing.bmp"),
      h.File("empty.bmp", ""),
      h.File("text.bmp", "this is not a picture"),
      h.File("cut.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16)),
      h.File("zero-width.bmp", thumbnail_tests::BmpHeaderOnly(0, 10)),
      h.File("zero-height.bmp", thumbnail_tests::BmpHeaderOnly(10, 0)),
      // 20000 x 20000 is 400 megapixels: refused from the header alone.
      h.File("absurd.bmp", thumbnail_tests::BmpHeaderOnly(20000, 20000)),
      h.File("folder-less name", "x"),
  };
  for (const std::u16string& path : refused) {
    EXPECT_EQ(h.list.AddImage(path), -1) << std::string(path.begin(), path.end());
  }
  h.host.ui.RunPostedTasks();
  EXPECT_TRUE(h.listView->images.empty());
  EXPECT_TRUE(h.listView->items.empty());
  EXPECT_TRUE(ThumbnailListHarness::counts().empty());
  EXPECT_EQ(h.host.imaging.picturesDecoded, 0);

  // The list goes on as before.
  EXPECT_EQ(h.Add(h.Picture("fine.bmp", 40, 30)), 0);
  EXPECT_EQ(ThumbnailListHarness::counts(), std::vector<int>{1});
}

TEST(ThumbnailPictures, HeaderOverTheLimitIsRefusedJustAboveIt) {
  ThumbnailListHarness h(150);
  // 16000 x 15625 is exactly 250 megapixels, one row more is over.
  EXPECT_TRUE(h.host.imaging.ReadImageSize(
      h.File("limit.bmp", thumbnail_tests::BmpHeaderOnly(16000, 15625))));
  EXPECT_FALSE(h.host.imaging.ReadImageSize(
      h.File("over.bmp", thumbnail_tests::BmpHeaderOnly(16000, 15626))));
}
