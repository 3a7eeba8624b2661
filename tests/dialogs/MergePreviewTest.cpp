// The merge preview: where it goes over the live picture, how its panes
// share it and where a picture lands inside a pane, and the panes as the
// screen shows them (a picture file fitted on black, white without one, and
// nothing held that is not shown).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dialogs/CMergePreviewDlg.h"
#include "dialogs/MergePreviewLayout.h"
#include "platform/Imaging.h"
#include "platform/headless/HeadlessPicture.h"
#include "platform/headless/HeadlessPlatform.h"
#include "resource.h"
#include "support/MadePictures.h"
#include "support/TestFolder.h"

using dialogs::LayOutMergePanes;
using dialogs::MergeDirection;
using dialogs::MergePreviewPlacement;
using platform::FitPicture;
using platform::Rect;

TEST(MergePreviewPlacement, SideBySideTakesTheLowerThirdAndHalfTheWidthElseHalfAndAThird) {
  // Both directions over a picture of 900 x 600 are MergeControls'
  // MergePreviewPlacement cases, the inset at 144 DPI HighDpi's. Divisions
  // truncate: 601 / 3 is 200, two thirds down is 400.
  EXPECT_EQ(MergePreviewPlacement(Rect{0, 0, 901, 601}, MergeDirection::Horizontal),
            (Rect{2, 400, 452, 600}));
}

TEST(MergePanes, ShareTheWidthOrTheHeightWithATenPixelGapAndNeverANegativeSize) {
  const auto expect = [](dialogs::MergePanes panes, Rect first, Rect second) {
    EXPECT_EQ(panes.first, first);
    EXPECT_EQ(panes.second, second);
  };
  expect(LayOutMergePanes(450, 200, MergeDirection::Horizontal), {6, 6, 220, 194},
         {230, 6, 444, 194});
  expect(LayOutMergePanes(300, 300, MergeDirection::Vertical), {6, 6, 294, 145},
         {6, 155, 294, 294});
  // Margins and the gap at 144 DPI are HighDpi's.
  // Too little room: panes without size, never a negative one.
  expect(LayOutMergePanes(10, 5, MergeDirection::Horizontal), {6, 6, 6, 6}, {16, 6, 16, 6});
  expect(LayOutMergePanes(10, 5, MergeDirection::Vertical), {6, 6, 6, 6}, {6, 16, 6, 16});
}

TEST(FitPicture, FillsTheWidthOrTheHeightCentredBetweenBandsAndNeverDividesByZero) {
  const struct {
    int pictureWidth, pictureHeight, paneWidth, paneHeight;
    Rect placed;
  } cases[] = {
      // 4:3 in a square: 100 / (4/3) = 75 high, (100 - 75) / 2 = 12 down.
      {400, 300, 100, 100, {0, 12, 100, 87}},
      {300, 400, 100, 100, {12, 0, 87, 100}},
      {200, 100, 300, 100, {50, 0, 250, 100}},
      {640, 480, 320, 240, {0, 0, 320, 240}},
      // An extreme aspect stays inside the pane.
      {250'000'000, 1, 100, 100, {0, 50, 100, 50}},
      {1, 250'000'000, 100, 100, {50, 0, 50, 100}},
      {0, 300, 100, 100, {}},
      {400, 0, 100, 100, {}},
      {400, 300, 100, 0, {}},
      {400, 300, 0, 100, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitPicture(c.pictureWidth, c.pictureHeight, c.paneWidth, c.paneHeight), c.placed)
        << c.pictureWidth << "x" << c.pictureHeight << " in " << c.paneWidth << "x" << c.paneHeight;
  }
}

namespace {

using testing_support::Colour;

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kRed{200, 30, 30};

class PicturePreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(preview.Create(nullptr));
    Pane().MoveControl(IDC_MERGE_FIRST_PANE, {6, 6, 106, 106});
  }
  headless::HeadlessWindow& Pane() {
    return *static_cast<headless::HeadlessWindow*>(preview.Window());
  }
  std::u16string Picture(const std::string& name, int width, int height, Colour colour = kRed) {
    const std::filesystem::path file = folder.Path() / name;
    EXPECT_TRUE(testing_support::WriteSolidPicture(file, width, height, colour));
    return file.u16string();
  }
  // The colour of one pixel of the first pane as painted now.
  Colour Pixel(int x, int y) {
    const platform::RgbImage painted = Pane().PaintPane(IDC_MERGE_FIRST_PANE);
    const size_t at = (static_cast<size_t>(y) * painted.width + x) * 3;
    return Colour{painted.pixels[at], painted.pixels[at + 1], painted.pixels[at + 2]};
  }

  testing_support::TestFolder folder;
  headless::HeadlessPlatform host;
  CMergePreviewDlg preview{host.platform};
};

}  // namespace

TEST_F(PicturePreviewTest,
       WhiteWithoutAUsablePictureAndAPictureFittedOnBlackHeldAtMostAtTheSizeLimit) {
  EXPECT_EQ(Pane().PaintPane(IDC_MERGE_FIRST_PANE).width, 100);
  EXPECT_EQ(Pixel(0, 0), testing_support::kWhite);
  EXPECT_EQ(Pixel(99, 99), testing_support::kWhite);
  CPicturePreview& pane = preview.FirstPane();
  const std::u16string path = Picture("first.bmp", 30, 30);
  const std::u16string refused[] = {
      u"",  // an empty path empties the pane
      folder.WriteFile("text.bmp", "this is no picture").u16string(),
      // 400 megapixels declared in a header of 54 bytes.
      folder.WriteFile("huge.bmp", testing_support::BmpHeaderOnly(20000, 20000)).u16string(),
  };
  for (const std::u16string& bad : refused) {
    ASSERT_EQ(pane.SetPicture(path), 0);
    EXPECT_EQ(Pixel(50, 50), kRed);
    EXPECT_EQ(pane.SetPicture(bad), -1);
    EXPECT_FALSE(pane.HasPicture());
    EXPECT_EQ(pane.PictureHeight(), 0);
    EXPECT_EQ(Pixel(50, 50), testing_support::kWhite);
    EXPECT_EQ(host.imaging.LivePictures(), 0);
  }
  // A file deleted meanwhile shows white at the next set.
  ASSERT_EQ(pane.SetPicture(path), 0);
  std::filesystem::remove(folder.Path() / "first.bmp");
  EXPECT_EQ(pane.SetPicture(path), -1);
  EXPECT_EQ(Pixel(50, 50), testing_support::kWhite);
  EXPECT_EQ(host.imaging.LivePictures(), 0);

  // In the 100 x 100 pane a 4:3 picture gives 75 rows from row 12, a 3:1
  // one 33 rows from row 33; the large one is held 1024 wide.
  const struct {
    int width, height, top, bottom, heldWidth, heldHeight;
  } cases[] = {{40, 30, 12, 86, 40, 30}, {3000, 1000, 33, 65, 1024, 341}};
  for (const auto& c : cases) {
    ASSERT_EQ(pane.SetPicture(Picture("picture.bmp", c.width, c.height)), 0);
    EXPECT_EQ(pane.PictureWidth(), c.width);
    EXPECT_EQ(pane.PictureHeight(), c.height);
    const auto* held =
        static_cast<const headless::HeadlessPicture*>(Pane().PanePicture(IDC_MERGE_FIRST_PANE));
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->Pixels().width, c.heldWidth);
    EXPECT_EQ(held->Pixels().height, c.heldHeight);
    EXPECT_EQ(Pixel(0, c.top), kRed);
    EXPECT_EQ(Pixel(99, c.bottom), kRed);
    for (int y : {0, c.top - 1, c.bottom + 1, 99}) EXPECT_EQ(Pixel(50, y), kBlack) << y;
    // Each picture set lets the one before go.
    EXPECT_EQ(host.imaging.LivePictures(), 1);
  }
  ASSERT_EQ(preview.SecondPane().SetPicture(Picture("second.bmp", 24, 32)), 0);
  EXPECT_EQ(host.imaging.LivePictures(), 2);
  preview.Destroy();
  EXPECT_EQ(host.imaging.LivePictures(), 0);
  // A pane without its window shows nothing and holds nothing.
  EXPECT_EQ(pane.SetPicture(Picture("third.bmp", 24, 32)), -1);
  EXPECT_EQ(host.imaging.LivePictures(), 0);
}
