// Taking a delete or a clear back: the Delete key, Ctrl+Z and the menu's
// Undo. The files wait in the folder "Deleted" beside them, come back under
// their own names at their places with the pictures they had (nothing is
// decoded again), and are deleted for good when the session ends or when
// the undo history lets them go.
#include <gtest/gtest.h>

#include "thumbnails/ThumbnailListHarness.h"

namespace thumbnail_tests {

TEST(ThumbnailUndo, DeleteKeySetsTheSelectionAsideAndStepsComeBackInPlaceLastFirstByKeyOrMenu) {
  ThumbnailListHarness h;
  const Texts paths = h.AddPictures(3);
  const int decoded = h.host.imaging.picturesDecoded;
  h.DeleteWithKey(0, 2);

  h.ExpectItems("b");
  EXPECT_FALSE(std::filesystem::exists(paths[0]));
  EXPECT_FALSE(std::filesystem::exists(paths[2]));
  EXPECT_EQ(h.AsideFiles().size(), 2u);
  EXPECT_TRUE(h.list.IsSetAside(paths[0]));
  EXPECT_FALSE(h.list.IsSetAside(paths[1]));
  EXPECT_EQ(ThumbnailListHarness::counts(), (std::vector<int>{1, 2, 3, 1}));

  // What was selected before is not, afterwards.
  h.listView->UserSelectOnly(0);
  h.PressControl(platform::kKeyZ);
  h.ExpectItems("abc");
  EXPECT_TRUE(std::filesystem::exists(paths[0]));
  EXPECT_TRUE(std::filesystem::exists(paths[2]));
  EXPECT_TRUE(h.AsideFiles().empty());
  EXPECT_FALSE(h.list.IsSetAside(paths[0]));
  // What came back is selected, the first of it focused and in view.
  EXPECT_EQ(h.SelectedItems(), (std::vector<size_t>{0, 2}));
  EXPECT_EQ(h.listView->selectionMark, 0);
  EXPECT_EQ(h.listView->ensuredVisible.back(), 0);
  EXPECT_EQ(ThumbnailListHarness::counts().back(), 3);
  EXPECT_EQ(h.host.imaging.picturesDecoded, decoded);
  EXPECT_FALSE(h.list.CanUndo());

  // Several steps: a delete from the menu and a clear.
  h.AddPictures(1, 3);
  h.listView->UserSelectOnly(1);
  ASSERT_TRUE(h.Choose(1, CImageListCtrl::kDeleteCommand));
  ASSERT_TRUE(h.Choose(-1, CImageListCtrl::kClearCommand));
  EXPECT_TRUE(h.ItemTexts().empty());
  EXPECT_EQ(h.AsideFiles().size(), 4u);
  EXPECT_EQ(ThumbnailListHarness::counts().back(), 0);

  // The menu of the empty list offers Undo after its clear; an item's menu
  // offers it too.
  EXPECT_TRUE(h.Choose(-1, CImageListCtrl::kUndoCommand));
  EXPECT_EQ(h.LastMenu(), "Clear all 668 | Take back 674");
  h.ExpectItems("acd");
  h.listView->UserRightClick(0);
  EXPECT_EQ(h.LastMenu(), "Delete 671 | Earlier 672 off | Later 673 | Take back 674");

  h.PressControl(platform::kKeyZ);
  h.ExpectItems("abcd");
  // Nothing more to take back.
  h.PressControl(platform::kKeyZ);
  EXPECT_FALSE(h.Choose(0, CImageListCtrl::kUndoCommand));
  h.ExpectItems("abcd");

  // A place past the end of a shorter list is its end. (A picture returns
  // to its place after the list changed in PageList's session.)
  h.DeleteWithKey(3);
  h.DeleteWithKey(0, 1);
  h.ExpectItems("c");
  h.PressControl(platform::kKeyZ);
  h.PressControl(platform::kKeyZ);
  h.ExpectItems("abcd");
}

TEST(ThumbnailUndo, TheEndOfTheSessionDeletesWhatWasSetAsideAndFreesItsPictures) {
  ThumbnailListHarness h;
  const Texts paths = h.AddPictures(4);
  h.DeleteWithKey(1);
  h.DeleteWithKey(0);
  EXPECT_EQ(h.listView->images.size(), 4u);

  h.list.DeleteSetAsideFiles();
  EXPECT_FALSE(std::filesystem::exists(h.AsideFolder()));
  EXPECT_FALSE(std::filesystem::exists(paths[0]));
  EXPECT_FALSE(std::filesystem::exists(paths[1]));
  EXPECT_FALSE(h.list.CanUndo());
  h.PressControl(platform::kKeyZ);
  // The two pictures left the image list; the others show their own.
  h.ExpectItems("cd");
  EXPECT_EQ(h.listView->images.size(), 2u);
  h.AddPictures(1, 4);
  EXPECT_EQ(h.listView->items.back().image, 2);
  h.ExpectItems("cde");
}

TEST(ThumbnailUndo, AStepOlderThanTheHistoryHoldsIsDeletedForGood) {
  ThumbnailListHarness h;
  const int steps = static_cast<int>(CImageListCtrl::kUndoSteps);
  ASSERT_EQ(steps, 20);
  const Texts paths = h.AddPictures(steps + 2);
  for (int i = 0; i <= steps; ++i) h.DeleteWithKey(0);
  // The first delete is gone for good, the later ones wait.
  EXPECT_EQ(h.AsideFiles().size(), static_cast<size_t>(steps));
  EXPECT_FALSE(h.list.IsSetAside(paths[0]));
  EXPECT_EQ(h.listView->images.size(), static_cast<size_t>(steps + 1));
  for (int i = 0; i < steps + 1; ++i) h.PressControl(platform::kKeyZ);
  h.ExpectItems("bcdefghijklmnopqrstuv");
  EXPECT_FALSE(std::filesystem::exists(paths[0]));
}

TEST(ThumbnailUndo, OlderStepsGoWhenTheHistoryHoldsTooManyPicturesButTheLastStaysWhole) {
  ThumbnailListHarness h;
  ASSERT_EQ(CImageListCtrl::kUndoPictures, 100u);
  // A delete of one and a clear of 99: both are kept.
  h.AddPictures(100);
  h.DeleteWithKey(0);
  ASSERT_TRUE(h.Choose(-1, CImageListCtrl::kClearCommand));
  h.PressControl(platform::kKeyZ);
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.listView->items.size(), 100u);
  EXPECT_EQ(h.ItemTexts().front(), u"a");
  // A delete of one and a clear of 100: the delete could not be kept beside it.
  h.DeleteWithKey(0);
  h.AddPictures(1, 100);
  ASSERT_TRUE(h.Choose(-1, CImageListCtrl::kClearCommand));
  EXPECT_EQ(h.AsideFiles().size(), 100u);
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.listView->items.size(), 100u);
  EXPECT_EQ(h.ItemTexts().front(), u"b");
  EXPECT_FALSE(h.list.CanUndo());
  EXPECT_TRUE(h.AsideFiles().empty());
}

TEST(ThumbnailUndo, ANewFileUnderTheNameKeepsTheStepAndSaysSo) {
  ThumbnailListHarness h;
  h.AddPictures(2);
  h.DeleteWithKey(0);
  const std::u16string other = h.Picture("a.bmp", 40, 30, {9, 9, 9});
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"error"});
  h.ExpectItems("b");
  EXPECT_TRUE(h.list.CanUndo());
  EXPECT_EQ(h.AsideFiles().size(), 1u);

  std::filesystem::remove(other);
  h.PressControl(platform::kKeyZ);
  h.ExpectItems("ab");
  // A file gone from where it waited cannot come back either, and says so.
  h.DeleteWithKey(0);
  std::filesystem::remove(h.AsideFolder() / h.AsideFiles().at(0));
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.host.ui.messageBoxes, (Texts{u"error", u"error"}));
  h.ExpectItems("b");
}

TEST(ThumbnailUndo, AFileGoneOrWithNowhereToWaitIsDeletedForGoodAndCannotComeBack) {
  ThumbnailListHarness h;
  const Texts paths = h.AddPictures(3);
  std::filesystem::remove(paths[0]);
  h.DeleteWithKey(0);
  EXPECT_FALSE(h.list.CanUndo());
  EXPECT_EQ(h.listView->images.size(), 2u);
  h.ExpectItems("bc");
  // A file named like the folder: the picture is deleted as asked.
  h.folder.WriteFile("Deleted");
  h.DeleteWithKey(0);
  EXPECT_FALSE(std::filesystem::exists(paths[1]));
  EXPECT_FALSE(h.list.CanUndo());
  h.ExpectItems("c");
}

TEST(ThumbnailUndo, ASecondFileOfOneNameWaitsBesideTheFirst) {
  ThumbnailListHarness h;
  h.AddPictures(1);
  h.DeleteWithKey(0);
  h.Add(h.Picture("a.bmp", 40, 30, ThumbnailListHarness::ColourOf(5)));
  h.DeleteWithKey(0);
  EXPECT_EQ(h.AsideFiles(), (std::vector<std::string>{"1_a.bmp", "2_a.bmp"}));
  h.PressControl(platform::kKeyZ);
  ASSERT_EQ(h.ItemTexts(), Texts{u"a"});
  EXPECT_EQ(h.CentreOfItem(0), ThumbnailListHarness::ColourOf(5));
}

TEST(ThumbnailUndo, PicturesSetAsideComeBackAtTheCellSizeOfANewDpi) {
  ThumbnailListHarness h;
  const Texts paths = h.AddPictures(3);
  h.DeleteWithKey(1);
  // A file that cannot be read any more keeps its item, blank; the
  // selection stays.
  std::filesystem::remove(paths[2]);
  h.listView->UserSelectOnly(1);
  const int width = h.listView->imageWidth;
  static_cast<headless::HeadlessWindow*>(h.window.get())->UserMoveToDpi(192);
  h.list.OnDpiChanged();
  ASSERT_GT(h.listView->imageWidth, width);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"a", u"c"}));
  EXPECT_EQ(h.SelectedItems(), std::vector<size_t>{1});
  EXPECT_EQ(h.CentreOfItem(1), kWhite);
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"a", u"b", u"c"}));
  EXPECT_EQ(h.CentreOfItem(1), ThumbnailListHarness::ColourOf(1));
  const platform::RgbImage& picture =
      h.listView->images.at(static_cast<size_t>(h.listView->items[1].image));
  EXPECT_EQ(picture.width, h.listView->imageWidth);
}

}  // namespace thumbnail_tests
