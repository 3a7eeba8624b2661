// The list's items and what the user does with them: open, the context
// menu, delete and clear (the files leave their place on disk), and the
// count the capture window is told after every change.
#include <gtest/gtest.h>

#include <filesystem>

#include "thumbnails/ThumbnailListHarness.h"

using thumbnail_tests::ThumbnailListHarness;

namespace {

std::vector<int> Counts() { return ThumbnailListHarness::counts(); }

}  // namespace

TEST(ThumbnailItems, EachFileAppearsAfterThePostedInsertNamedWithoutFolderAndExtension) {
  ThumbnailListHarness h;
  const std::u16string path = h.Picture("1_4711.bmp", 40, 30);
  EXPECT_EQ(h.list.AddImage(path), 0);
  // The count is reported at once; the item comes with the posted insert.
  EXPECT_EQ(Counts(), std::vector<int>{1});
  EXPECT_TRUE(h.listView->items.empty());
  h.host.ui.RunPostedTasks();
  ASSERT_EQ(h.ItemTexts(), std::vector<std::u16string>{u"1_4711"});
  EXPECT_EQ(h.listView->items[0].image, 0);
  EXPECT_EQ(h.listView->ensuredVisible.back(), 0);

  EXPECT_EQ(h.Add(h.Picture("Merge_5.v2.png", 40, 30)), 1);
  EXPECT_EQ(h.ItemTexts(), (std::vector<std::u16string>{u"1_4711", u"Merge_5.v2"}));
  EXPECT_EQ(h.listView->ensuredVisible.back(), 1);
  EXPECT_EQ(Counts(), (std::vector<int>{1, 2}));
}

TEST(ThumbnailItems, FilesAddedAfterADeleteKeepTheirOwnNamesAndPictures) {
  ThumbnailListHarness h;
  const std::u16string a = h.Picture("a.bmp", 40, 30);
  const std::u16string b = h.Picture("b.bmp", 40, 30);
  const std::u16string c = h.Picture("c.bmp", 40, 30);
  h.Add(a);
  h.Add(b);
  h.listView->UserSelectOnly(0);
  h.RightClickAndChoose(0);
  ASSERT_EQ(h.ItemTexts(), std::vector<std::u16string>{u"b"});

  // Image 2 now belongs to item 1: the new item names its own file and is
  // the one scrolled into view.
  EXPECT_EQ(h.Add(c), 2);
  EXPECT_EQ(h.ItemTexts(), (std::vector<std::u16string>{u"b", u"c"}));
  EXPECT_EQ(h.listView->items[1].image, 2);
  EXPECT_EQ(h.listView->ensuredVisible.back(), 1);
  h.listView->UserDoubleClick(1);
  EXPECT_EQ(h.host.os.shellOpened, std::vector<std::u16string>{c});
}

TEST(ThumbnailItems, DoubleClickOpensTheItemsFileAndEmptySpaceNothing) {
  ThumbnailListHarness h;
  const std::u16string a = h.Picture("a.bmp", 40, 30);
  const std::u16string b = h.Picture("b.bmp", 40, 30);
  h.Add(a);
  h.Add(b);
  h.listView->UserDoubleClick(-1);
  EXPECT_TRUE(h.host.os.shellOpened.empty());
  h.listView->UserDoubleClick(1);
  EXPECT_EQ(h.host.os.shellOpened, std::vector<std::u16string>{b});
  EXPECT_TRUE(ThumbnailListHarness::Exists(b));
}

TEST(ThumbnailMenu, OffersClearOnEmptySpaceAndDeleteOnAnItemFirst) {
  ThumbnailListHarness h;
  h.Add(h.Picture("a.bmp", 40, 30));
  h.listView->UserRightClick(-1);
  h.listView->UserRightClick(0);
  ASSERT_EQ(h.listView->menusShown.size(), 2u);
  const auto& empty = h.listView->menusShown[0].entries;
  const auto& onItem = h.listView->menusShown[1].entries;
  ASSERT_FALSE(empty.empty());
  ASSERT_FALSE(onItem.empty());
  EXPECT_EQ(empty[0].text, u"Clear all");
  EXPECT_EQ(empty[0].command, CImageListCtrl::kClearCommand);
  EXPECT_TRUE(empty[0].enabled);
  EXPECT_EQ(onItem[0].text, u"Delete");
  EXPECT_EQ(onItem[0].command, CImageListCtrl::kDeleteCommand);
  EXPECT_TRUE(onItem[0].enabled);
  // Neither menu offers the other's command.
  EXPECT_EQ(h.listView->menusShown[0].Entry(CImageListCtrl::kDeleteCommand), nullptr);
  EXPECT_EQ(h.listView->menusShown[1].Entry(CImageListCtrl::kClearCommand), nullptr);
  // Both menus were dismissed: nothing changed.
  EXPECT_EQ(h.host.ui.RunPostedTasks(), 0);
  EXPECT_EQ(h.listView->items.size(), 1u);

  // A language switch shows in the next menu.
  h.texts[localisation::UiText::listMenuClear].text = u"Leeren";
  h.listView->UserRightClick(-1);
  EXPECT_EQ(h.listView->menusShown.back().entries[0].text, u"Leeren");
}

TEST(ThumbnailMenu, OtherCommandsOfTheRangeSayNothingAndChangeNothing) {
  ThumbnailListHarness h;
  const std::u16string a = h.Picture("a.bmp", 40, 30);
  h.Add(a);
  h.list.OnMenuCommand(666);
  h.list.OnMenuCommand(670);
  h.list.OnMenuCommand(686);
  h.list.OnMenuCommand(687);  // not the list's
  h.list.OnMenuCommand(665);
  EXPECT_EQ(h.host.ui.messageBoxes,
            (std::vector<std::u16string>{u"nothing", u"nothing", u"nothing"}));
  EXPECT_EQ(h.listView->items.size(), 1u);
  EXPECT_TRUE(ThumbnailListHarness::Exists(a));
}

TEST(ThumbnailMenu, OpenCommandOpensTheSelectionMarksFileOnly) {
  ThumbnailListHarness h;
  const std::u16string a = h.Picture("a.bmp", 40, 30);
  const std::u16string b = h.Picture("b.bmp", 40, 30);
  h.Add(a);
  h.Add(b);
  h.list.OnMenuCommand(CImageListCtrl::kOpenCommand);  // no mark yet
  EXPECT_TRUE(h.host.os.shellOpened.empty());
  h.listView->UserSelectOnly(1);
  h.list.OnMenuCommand(CImageListCtrl::kOpenCommand);
  EXPECT_EQ(h.host.os.shellOpened, std::vector<std::u16string>{b});
}

TEST(ThumbnailDelete, RemovesEverySelectedItemWithItsFileAndReportsTheCount) {
  ThumbnailListHarness h;
  const std::u16string a = h.Picture("a.bmp", 40, 30);
  const std::u16string b = h.Picture("b.bmp", 40, 30);
  const std::u16string c = h.Picture("c.bmp", 40, 30);
  h.Add(a);
  h.Add(b);
  h.Add(c);
  h.listView->UserSelectOnly(0);
  h.listView->UserAddToSelection(2);
  h.RightClickAndChoose(2);

  EXPECT_EQ(h.ItemTexts(), std::vector<std::u16string>{u"b"});
  EXPECT_FALSE(ThumbnailListHarness::Exists(a));
  EXPECT_TRUE(ThumbnailListHarness::Exists(b));
  EXPECT_FALSE(ThumbnailListHarness::Exists(c));
  EXPECT_EQ(Counts(), (std::vector<int>{1, 2, 3, 1}));
  // Images are never taken out of the image list.
  EXPECT_EQ(h.listView->images.size(), 3u);
  h.listView->UserDoubleClick(0);
  EXPECT_EQ(h.host.os.shellOpened, std::vector<std::u16string>{b});
}

TEST(ThumbnailDelete, DeletingTheLastFilesReportsZeroAndTheNextAddOne) {
  ThumbnailListHarness h;
  const std::u16string a = h.Picture("a.bmp", 40, 30);
  const std::u16string b = h.Picture("b.bmp", 40, 30);
  h.Add(a);
  h.Add(b);
  h.listView->UserSelectOnly(0);
  h.listView->UserAddToSelection(1);
  h.RightClickAndChoose(1);
  EXPECT_TRUE(h.listView->items.empty());
  EXPECT_FALSE(ThumbnailListHarness::Exists(a));
  EXPECT_FALSE(ThumbnailListHarness::Exists(b));
  EXPECT_EQ(Counts().back(), 0);

  h.Add(h.Picture("c.bmp", 40, 30));
  EXPECT_EQ(Counts().back(), 1);
  EXPECT_EQ(h.ItemTexts(), std::vector<std::u16string>{u"c"});
}

TEST(ThumbnailDelete, AFileThatCannotBeDeletedStillLeavesTheList) {
  ThumbnailListHarness h;
  const std::u16string a = h.Picture("a.bmp", 40, 30);
  h.Add(a);
  std::filesystem::remove(std::string(a.begin(), a.end()));
  h.listView->UserSelectOnly(0);
  h.RightClickAndChoose(0);
  EXPECT_TRUE(h.listView->items.empty());
  EXPECT_EQ(Counts().back(), 0);
}

TEST(ThumbnailClear, RemovesAllItemsAndFilesEvenWhenOneFileIsAlreadyGone) {
  ThumbnailListHarness h;
  const std::u16string a = h.Picture("a.bmp", 40, 30);
  const std::u16string b = h.Picture("b.bmp", 40, 30);
  const std::u16string c = h.Picture("c.bmp", 40, 30);
  const std::u16string other = h.Picture("not-in-the-list.bmp", 40, 30);
  h.Add(a);
  h.Add(b);
  h.Add(c);
  std::filesystem::remove(std::string(b.begin(), b.end()));

  h.RightClickAndChoose(-1);
  EXPECT_TRUE(h.listView->items.empty());
  EXPECT_FALSE(ThumbnailListHarness::Exists(a));
  EXPECT_FALSE(ThumbnailListHarness::Exists(c));
  EXPECT_TRUE(ThumbnailListHarness::Exists(other));
  EXPECT_EQ(Counts().back(), 0);
  EXPECT_TRUE(h.host.ui.messageBoxes.empty());

  // The thumbnails of the files set aside stay for an undo; the one whose
  // file was gone already left the image list. Double clicks on the emptied
  // list open nothing; new files come next.
  EXPECT_EQ(h.listView->images.size(), 2u);
  h.listView->UserDoubleClick(0);
  EXPECT_TRUE(h.host.os.shellOpened.empty());
  EXPECT_EQ(h.Add(other), 2);
  EXPECT_EQ(h.ItemTexts(), std::vector<std::u16string>{u"not-in-the-list"});
}

TEST(ThumbnailClear, AFileWhoseInsertIsStillPostedSurvivesAndAppearsAfterwards) {
  ThumbnailListHarness h;
  const std::u16string a = h.Picture("a.bmp", 40, 30);
  const std::u16string b = h.Picture("b.bmp", 40, 30);
  h.Add(a);
  EXPECT_EQ(h.list.AddImage(b), 1);  // its item is not there yet
  h.list.OnMenuCommand(CImageListCtrl::kClearCommand);
  EXPECT_FALSE(ThumbnailListHarness::Exists(a));
  EXPECT_TRUE(ThumbnailListHarness::Exists(b));
  EXPECT_EQ(Counts().back(), 1);

  h.host.ui.RunPostedTasks();
  EXPECT_EQ(h.ItemTexts(), std::vector<std::u16string>{u"b"});
  h.listView->UserDoubleClick(0);
  EXPECT_EQ(h.host.os.shellOpened, std::vector<std::u16string>{b});
}

TEST(ThumbnailItems, PostedInsertAndClicksOfAListThatIsGoneDoNothing) {
  ThumbnailListHarness h;
  const std::u16string a = h.Picture("a.bmp", 40, 30);
  auto other = std::make_unique<CImageListCtrl>(h.host.platform, h.texts);
  ASSERT_TRUE(other->Initialise(*h.window, IDC_THUMBNAILS));
  EXPECT_EQ(other->AddImage(a), 0);
  other.reset();
  EXPECT_EQ(h.host.ui.RunPostedTasks(), 1);
  EXPECT_TRUE(h.listView->items.empty());
  h.listView->UserRightClick(-1);
  h.listView->UserDoubleClick(-1);
  EXPECT_TRUE(h.listView->menusShown.empty());
}
