// The merge preview's panes as the screen shows them: a picture file fitted
// on black, white without one, and nothing held that is not shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dialogs/CMergePreviewDlg.h"
#include "platform/headless/HeadlessPicture.h"
#include "platform/headless/HeadlessPlatform.h"
#include "resource.h"
#include "support/TestFolder.h"
#include "support/MadePictures.h"

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
  std::u16string Picture(const std::string& name, int width, int height,
                         Colour colour = kRed) {
    const std::filesystem::path file = folder.Path() / name;
    EXPECT_TRUE(testing_support::WriteSolidPicture(file, width, height, colour));
    return host.os.Utf8ToWide(file.string());
  }
  // The colour of one pixel of the first pane as painted now.
  Colour Pixel(int x, int y) {
    const platform::RgbImage painted = Pane().PaintPane(IDC_MERGE_FIRST_PANE);
    const size_t at = (static_cast<size_t>(y) * painted.width + x) * 3;
    return Colour{painted.pixels[at], painted.pixels[at + 1], painted.pixels[at + 2]};
  }
  int LivePictures() const { return host.imaging.LivePictures(); }

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
      host.os.Utf8ToWide(folder.WriteFile("text.bmp", "this is no picture").string()),
      // 400 megapixels declared in a header of 54 bytes.
      host.os.Utf8ToWide(
          folder.WriteFile("huge.bmp", testing_support::BmpHeaderOnly(20000, 20000)).string()),
  };
  for (const std::u16string& bad : refused) {
    ASSERT_EQ(pane.SetPicture(path), 0);
    EXPECT_EQ(Pixel(50, 50), kRed);
    EXPECT_EQ(pane.SetPicture(bad), -1);
    EXPECT_FALSE(pane.HasPicture());
    EXPECT_EQ(pane.PictureHeight(), 0);
    EXPECT_EQ(Pixel(50, 50), testing_support::kWhite);
    EXPECT_EQ(LivePictures(), 0);
  }
  // A file deleted meanwhile shows white at the next set.
  ASSERT_EQ(pane.SetPicture(path), 0);
  std::filesystem::remove(folder.Path() / "first.bmp");
  EXPECT_EQ(pane.SetPicture(path), -1);
  EXPECT_EQ(Pixel(50, 50), testing_support::kWhite);
  EXPECT_EQ(LivePictures(), 0);

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
    EXPECT_EQ(Pixel(50, 0), kBlack);
    EXPECT_EQ(Pixel(50, c.top - 1), kBlack);
    EXPECT_EQ(Pixel(0, c.top), kRed);
    EXPECT_EQ(Pixel(99, c.bottom), kRed);
    EXPECT_EQ(Pixel(50, c.bottom + 1), kBlack);
    EXPECT_EQ(Pixel(50, 99), kBlack);
    // Each picture set lets the one before go.
    EXPECT_EQ(LivePictures(), 1);
  }
  ASSERT_EQ(preview.SecondPane().SetPicture(Picture("second.bmp", 24, 32)), 0);
  EXPECT_EQ(LivePictures(), 2);
  preview.Destroy();
  EXPECT_EQ(LivePictures(), 0);
  // A pane without its window shows nothing and holds nothing.
  EXPECT_EQ(pane.SetPicture(Picture("third.bmp", 24, 32)), -1);
  EXPECT_EQ(LivePictures(), 0);
}
