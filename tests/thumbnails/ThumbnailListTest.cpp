// The list's items and what the user does with them: add a file (its
// letterboxed thumbnail, or nothing for a file that is no picture), open,
// the context menu and clear (the files leave their place on disk), and
// the count the capture window is told after every change. Deletes are
// taken back in ThumbnailUndoTest.
#include <gtest/gtest.h>

#include <cstdlib>

#include "thumbnails/ThumbnailListHarness.h"

namespace thumbnail_tests {

namespace {

std::vector<int> Counts() { return ThumbnailListHarness::counts(); }

bool Near(Colour a, Colour b) {
  return std::abs(a.r - b.r) <= 6 && std::abs(a.g - b.g) <= 6 && std::abs(a.b - b.b) <= 6;
}

}  // namespace

TEST(ThumbnailItems, EachFileAppearsAfterThePostedInsertNamedWithoutFolderAndExtensionAndOpens) {
  ThumbnailListHarness h;
  const Texts paths = {h.Picture("1_4711.bmp", 40, 30),
                       h.Picture("Merge_5.v2.png", 40, 30, {}, Format::Png)};
  EXPECT_EQ(h.list.AddImage(paths[0]), 0);
  // The count is reported at once; the item comes with the posted insert.
  EXPECT_EQ(Counts(), std::vector<int>{1});
  EXPECT_TRUE(h.listView->items.empty());
  h.host.ui.RunPostedTasks();
  EXPECT_EQ(h.ItemTexts(), Texts{u"1_4711"});
  EXPECT_EQ(h.listView->ensuredVisible.back(), 0);

  EXPECT_EQ(h.Add(paths[1]), 1);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"1_4711", u"Merge_5.v2"}));
  EXPECT_EQ(h.listView->ensuredVisible.back(), 1);
  EXPECT_EQ(Counts(), (std::vector<int>{1, 2}));
  h.list.EnsureVisible(0);
  EXPECT_EQ(h.listView->ensuredVisible.back(), 0);

  // The open command opens the selection mark's file, a double click the
  // item's own.
  h.listView->UserDoubleClick(-1);
  h.list.OnMenuCommand(CImageListCtrl::kOpenCommand);  // no selection mark yet
  EXPECT_TRUE(h.host.os.shellOpened.empty());
  h.listView->UserSelectOnly(0);
  h.list.OnMenuCommand(CImageListCtrl::kOpenCommand);
  h.listView->UserDoubleClick(1);
  EXPECT_EQ(h.host.os.shellOpened, paths);
}

TEST(ThumbnailItems, FilesThatAreNoShowablePictureAddNothingAndEachFormatFillsTheCellOnWhite) {
  ThumbnailListHarness h(150);
  const std::u16string refused[] = {
      (h.folder.Path() / "missing.bmp").generic_u16string(),
      h.File("empty.bmp", ""),
      h.File("text.bmp", "this is not a picture"),
      h.File("cut.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16)),
      h.File("zero-width.bmp", testing_support::BmpHeaderOnly(0, 10)),
      h.File("zero-height.bmp", testing_support::BmpHeaderOnly(10, 0)),
      // 20000 x 20000 is 400 megapixels: refused from the header alone.
      h.File("absurd.bmp", testing_support::BmpHeaderOnly(20000, 20000)),
      h.File("folder-less name", "x"),
  };
  for (const std::u16string& path : refused) {
    EXPECT_EQ(h.list.AddImage(path), -1) << std::string(path.begin(), path.end());
  }
  h.host.ui.RunPostedTasks();
  EXPECT_TRUE(h.listView->images.empty());
  EXPECT_TRUE(h.listView->items.empty());
  EXPECT_TRUE(Counts().empty());

  // The list goes on as before. Its cell is 90 x 66: a 90 x 67 thumbnail is
  // drawn 88 x 66 from column 1, a 49 x 66 one from column 20, with white
  // columns beside them and no white row.
  ASSERT_TRUE(h.initialised);
  EXPECT_EQ(h.listView->imageWidth, 90);
  EXPECT_EQ(h.listView->imageHeight, 66);
  const Colour red{200, 30, 40};
  const struct {
    const char* name;
    int width, height;
    Format format;
    int first, last;
  } cases[] = {{"wide.bmp", 4000, 3000, Format::Bmp, 1, 88},
               {"tall.png", 300, 400, Format::Png, 20, 68},
               {"photo.jpg", 640, 480, Format::Jpeg, 1, 88}};
  for (int image = 0; image < 3; ++image) {
    const auto& c = cases[image];
    SCOPED_TRACE(c.name);
    ASSERT_EQ(h.Add(h.Picture(c.name, c.width, c.height, red, c.format)), image);
    for (int y : {0, 33, 65}) {
      EXPECT_EQ(h.PixelOfImage(image, c.first - 1, y), kWhite) << y;
      EXPECT_TRUE(Near(h.PixelOfImage(image, c.first, y), red)) << y;
      EXPECT_TRUE(Near(h.PixelOfImage(image, c.last, y), red)) << y;
      EXPECT_EQ(h.PixelOfImage(image, c.last + 1, y), kWhite) << y;
    }
  }
  EXPECT_EQ(Counts(), (std::vector<int>{1, 2, 3}));
}

TEST(ThumbnailMenu, OffersClearOnEmptySpaceDeleteOnAnItemAndTheOtherCommandsSayNothing) {
  ThumbnailListHarness h;
  const Texts paths = h.AddPictures(1);
  h.listView->UserRightClick(-1);
  EXPECT_EQ(h.LastMenu(), "Clear all 668 | Take back 674 off");
  h.listView->UserRightClick(0);
  EXPECT_EQ(h.LastMenu(), "Delete 671 | Earlier 672 off | Later 673 off | Take back 674 off");
  // Both menus were dismissed: nothing changed.
  EXPECT_EQ(h.host.ui.RunPostedTasks(), 0);
  EXPECT_EQ(h.listView->items.size(), 1u);
  // A language switch shows in the next menu.
  h.texts[localisation::UiText::listMenuClear].text = u"Leeren";
  h.listView->UserRightClick(-1);
  EXPECT_EQ(h.LastMenu(), "Leeren 668 | Take back 674 off");

  for (int command : {666, 670, 686, 687, 665}) h.list.OnMenuCommand(command);
  EXPECT_EQ(h.host.ui.messageBoxes, (Texts{u"nothing", u"nothing", u"nothing"}));
  h.ExpectItems("a");
  EXPECT_TRUE(std::filesystem::exists(paths[0]));
}

TEST(ThumbnailClear, RemovesTheShownItemsAndTheirFilesButNotAFileWhoseInsertIsStillPosted) {
  ThumbnailListHarness h;
  const Texts paths = h.AddPictures(3);
  const std::u16string other = h.Picture("not-in-the-list.bmp", 40, 30);
  std::filesystem::remove(paths[1]);
  const std::u16string d = h.PictureOf(3);
  EXPECT_EQ(h.list.AddImage(d), 3);  // its item is not there yet
  h.list.OnMenuCommand(CImageListCtrl::kClearCommand);
  EXPECT_TRUE(h.listView->items.empty());
  EXPECT_FALSE(std::filesystem::exists(paths[0]));
  EXPECT_FALSE(std::filesystem::exists(paths[2]));
  EXPECT_TRUE(std::filesystem::exists(other));
  EXPECT_TRUE(std::filesystem::exists(d));
  EXPECT_EQ(Counts().back(), 1);
  EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  // The thumbnails of the files set aside stay for an undo; the one whose
  // file was gone already left the image list. A double click on the
  // emptied list opens nothing; the posted file comes next.
  EXPECT_EQ(h.listView->images.size(), 3u);
  h.listView->UserDoubleClick(0);
  EXPECT_TRUE(h.host.os.shellOpened.empty());
  h.host.ui.RunPostedTasks();
  h.ExpectItems("d");
  h.listView->UserDoubleClick(0);
  EXPECT_EQ(h.host.os.shellOpened, Texts{d});
}

TEST(ThumbnailItems, AListNeverBoundOrGoneAddsNothingAndItsPostedInsertAndClicksDoNothing) {
  ThumbnailListHarness h;
  CImageListCtrl unbound(h.host.platform, h.texts);
  EXPECT_FALSE(unbound.Initialise(*h.window, IDC_CAPTURE));  // not a list view
  EXPECT_EQ(unbound.AddImage(h.PictureOf(0)), -1);
  EXPECT_EQ(unbound.GetItemCount(), 0);
  auto other = std::make_unique<CImageListCtrl>(h.host.platform, h.texts);
  ASSERT_TRUE(other->Initialise(*h.window, IDC_THUMBNAILS));
  EXPECT_EQ(other->AddImage(h.PictureOf(0)), 0);
  other.reset();
  EXPECT_EQ(h.host.ui.RunPostedTasks(), 1);
  EXPECT_TRUE(h.listView->items.empty());
  h.listView->UserRightClick(-1);
  h.listView->UserDoubleClick(-1);
  EXPECT_TRUE(h.listView->menusShown.empty());
}

}  // namespace thumbnail_tests
