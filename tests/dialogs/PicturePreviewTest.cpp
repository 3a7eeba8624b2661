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
#include "thumbnails/PictureFiles.h"

namespace {

using thumbnail_tests::Colour;

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
    EXPECT_TRUE(thumbnail_tests::WriteSolidPicture(file, width, height, colour));
    return host.os.Utf8ToWide(file.string());
  }
  std::u16string File(const std::string& name, const std::string& bytes) {
    return host.os.Utf8ToWide(folder.WriteFile(name, bytes).string());
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

TEST_F(PicturePreviewTest, AnEmptyPaneIsWhite) {
  const platform::RgbImage painted = Pane().PaintPane(IDC_MERGE_FIRST_PANE);
  ASSERT_EQ(painted.width, 100);
  ASSERT_EQ(painted.height, 100);
  EXPECT_EQ(Pixel(0, 0), thumbnail_tests::kWhite);
  EXPECT_EQ(Pixel(50, 50), thumbnail_tests::kWhite);
  EXPECT_EQ(Pixel(99, 99), thumbnail_tests::kWhite);
}

TEST_F(PicturePreviewTest, AFourByThreePictureFillsASquarePaneWithBandsAboveAndBelow) {
  CPicturePreview& pane = preview.FirstPane();
  ASSERT_EQ(pane.SetPicture(Picture("wide.bmp", 40, 30)), 0);
  EXPECT_EQ(pane.PictureWidth(), 40);
  EXPECT_EQ(pane.PictureHeight(), 30);
  // 75 rows of picture from row 12; black above and below.
  EXPECT_EQ(Pixel(50, 0), kBlack);
  EXPECT_EQ(Pixel(50, 11), kBlack);
  EXPECT_EQ(Pixel(0, 12), kRed);
  EXPECT_EQ(Pixel(99, 50), kRed);
  EXPECT_EQ(Pixel(50, 86), kRed);
  EXPECT_EQ(Pixel(50, 87), kBlack);
  EXPECT_EQ(Pixel(50, 99), kBlack);
}

TEST_F(PicturePreviewTest, ADeletedFileShowsWhiteAfterTheNextSetPicture) {
  CPicturePreview& pane = preview.FirstPane();
  const std::u16string path = Picture("first.bmp", 30, 30);
  ASSERT_EQ(pane.SetPicture(path), 0);
  EXPECT_EQ(Pixel(50, 50), kRed);
  std::filesystem::remove(folder.Path() / "first.bmp");
  EXPECT_EQ(pane.SetPicture(path), -1);
  EXPECT_FALSE(pane.HasPicture());
  EXPECT_EQ(Pixel(50, 50), thumbnail_tests::kWhite);
  EXPECT_EQ(LivePictures(), 0);
}

TEST_F(PicturePreviewTest, AnEmptyPathEmptiesThePane) {
  CPicturePreview& pane = preview.FirstPane();
  ASSERT_EQ(pane.SetPicture(Picture("first.bmp", 30, 30)), 0);
  EXPECT_EQ(pane.SetPicture(u""), -1);
  EXPECT_EQ(Pixel(50, 50), thumbnail_tests::kWhite);
}

TEST_F(PicturePreviewTest, FilesThatAreNoUsablePictureLeaveThePaneEmpty) {
  CPicturePreview& pane = preview.FirstPane();
  const std::u16string refused[] = {
      File("text.bmp", "this is no picture"),
      File("zero-width.bmp", thumbnail_tests::BmpHeaderOnly(0, 10)),
      File("zero-height.bmp", thumbnail_tests::BmpHeaderOnly(10, 0)),
      // 400 megapixels declared in a header of 54 bytes.
      File("huge.bmp", thumbnail_tests::BmpHeaderOnly(20000, 20000)),
  };
  for (const std::u16string& path : refused) {
    ASSERT_EQ(pane.SetPicture(Picture("good.bmp", 30, 30)), 0);
    EXPECT_EQ(pane.SetPicture(path), -1);
    EXPECT_FALSE(pane.HasPicture());
    EXPECT_EQ(pane.PictureHeight(), 0);
    EXPECT_EQ(Pixel(50, 50), thumbnail_tests::kWhite);
    EXPECT_EQ(LivePictures(), 0);
  }
}

TEST_F(PicturePreviewTest, ALongRunOfMergesHoldsNoMoreThanTheTwoPicturesShown) {
  const std::u16string first = Picture("1_1.bmp", 32, 24);
  const std::u16string second = Picture("1_2.bmp", 24, 32, Colour{10, 200, 10});
  for (int pair = 0; pair < 100; ++pair) {
    ASSERT_EQ(preview.FirstPane().SetPicture(first), 0);
    ASSERT_EQ(preview.SecondPane().SetPicture(second), 0);
    ASSERT_EQ(LivePictures(), 2);
  }
  preview.Destroy();
  EXPECT_EQ(LivePictures(), 0);
  // A pane without its window shows nothing and holds nothing.
  EXPECT_EQ(preview.FirstPane().SetPicture(first), -1);
  EXPECT_EQ(LivePictures(), 0);
}

TEST_F(PicturePreviewTest, ALargePictureIsHeldAtAPanesSizeButPlacedByItsOwn) {
  CPicturePreview& pane = preview.FirstPane();
  ASSERT_EQ(pane.SetPicture(Picture("wide.bmp", 3000, 1000)), 0);
  EXPECT_EQ(pane.PictureWidth(), 3000);
  EXPECT_EQ(pane.PictureHeight(), 1000);
  const auto* held =
      static_cast<const headless::HeadlessPicture*>(Pane().PanePicture(IDC_MERGE_FIRST_PANE));
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->Pixels().width, 1024);
  EXPECT_EQ(held->Pixels().height, 341);
  // Three to one: 33 rows of picture from row 33.
  EXPECT_EQ(Pixel(50, 32), kBlack);
  EXPECT_EQ(Pixel(50, 33), kRed);
  EXPECT_EQ(Pixel(50, 65), kRed);
  EXPECT_EQ(Pixel(50, 66), kBlack);
}
