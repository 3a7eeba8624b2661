// Taking a delete or a clear back: the Delete key, Ctrl+Z and the menu's
// Undo. The files wait in the folder "Deleted" beside them, come back under
// their own names at their places with the pictures they had (nothing is
// decoded again), and are deleted for good when the session ends or when
// the undo history lets them go.
#include <gtest/gtest.h>

#include "thumbnails/ThumbnailListHarness.h"

using thumbnail_tests::Colour;
using thumbnail_tests::ThumbnailListHarness;

namespace {

using Texts = std::vector<std::u16string>;
using Names = std::vector<std::string>;

Colour ColourOf(int i) {
  return Colour{static_cast<uint8_t>(200 - 9 * i), static_cast<uint8_t>(7 * i), 90};
}

// Adds pictures named p0, p1, ... of distinct colours; their paths.
std::vector<std::u16string> AddPictures(ThumbnailListHarness& h, int count) {
  std::vector<std::u16string> paths;
  for (int i = 0; i < count; ++i) {
    paths.push_back(h.Picture("p" + std::to_string(i) + ".bmp", 40, 30, ColourOf(i)));
    h.Add(paths.back());
  }
  return paths;
}

void ExpectPicturesFollowTheirItems(const ThumbnailListHarness& h) {
  for (size_t item = 0; item < h.listView->items.size(); ++item) {
    const int picture = std::stoi(std::string(h.listView->items[item].text.begin() + 1,
                                              h.listView->items[item].text.end()));
    EXPECT_EQ(h.CentreOfItem(static_cast<int>(item)), ColourOf(picture)) << "item " << item;
  }
}

}  // namespace

TEST(ThumbnailUndo, DeleteKeySetsTheSelectionAsideAndCtrlZBringsItBackInPlace) {
  ThumbnailListHarness h;
  const auto paths = AddPictures(h, 3);
  const int decoded = h.host.imaging.picturesDecoded;
  h.listView->UserSelectOnly(0);
  h.listView->UserAddToSelection(2);
  EXPECT_TRUE(h.listView->UserPressKey(platform::kKeyDelete));

  EXPECT_EQ(h.ItemTexts(), Texts{u"p1"});
  EXPECT_FALSE(ThumbnailListHarness::Exists(paths[0]));
  EXPECT_FALSE(ThumbnailListHarness::Exists(paths[2]));
  EXPECT_EQ(h.AsideFiles().size(), 2u);
  EXPECT_TRUE(h.list.IsSetAside(paths[0]));
  EXPECT_FALSE(h.list.IsSetAside(paths[1]));
  EXPECT_EQ(ThumbnailListHarness::counts().back(), 1);

  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"p0", u"p1", u"p2"}));
  EXPECT_TRUE(ThumbnailListHarness::Exists(paths[0]));
  EXPECT_TRUE(ThumbnailListHarness::Exists(paths[2]));
  EXPECT_TRUE(h.AsideFiles().empty());
  EXPECT_FALSE(h.list.IsSetAside(paths[0]));
  EXPECT_EQ(h.list.ListedFiles(), paths);
  // What came back is selected, the first of it focused and in view.
  EXPECT_EQ(h.SelectedItems(), (std::vector<size_t>{0, 2}));
  EXPECT_EQ(h.listView->selectionMark, 0);
  EXPECT_EQ(h.listView->ensuredVisible.back(), 0);
  EXPECT_EQ(ThumbnailListHarness::counts().back(), 3);
  EXPECT_EQ(h.host.imaging.picturesDecoded, decoded);
  ExpectPicturesFollowTheirItems(h);
  h.listView->UserDoubleClick(2);
  EXPECT_EQ(h.host.os.shellOpened, Texts{paths[2]});
  EXPECT_FALSE(h.list.CanUndo());
}

TEST(ThumbnailUndo, SeveralStepsComeBackLastFirstFromTheMenuAndTheKey) {
  ThumbnailListHarness h;
  const auto paths = AddPictures(h, 4);
  h.listView->UserRightClick(-1);
  EXPECT_FALSE(h.listView->menusShown.back().Entry(CImageListCtrl::kUndoCommand)->enabled);

  h.listView->UserSelectOnly(1);
  h.RightClickAndChoose(1);  // delete p1
  h.RightClickAndChoose(-1);  // clear
  EXPECT_TRUE(h.ItemTexts().empty());
  EXPECT_EQ(h.AsideFiles().size(), 4u);
  EXPECT_EQ(ThumbnailListHarness::counts().back(), 0);

  // The menu of the empty list offers Undo after its clear; an item's menu
  // offers it too.
  const auto* undo = h.listView->menusShown.back().Entry(CImageListCtrl::kUndoCommand);
  ASSERT_NE(undo, nullptr);
  EXPECT_EQ(undo->text, u"Take back");
  EXPECT_TRUE(h.RightClickAndChoose(-1, CImageListCtrl::kUndoCommand));
  EXPECT_EQ(h.ItemTexts(), (Texts{u"p0", u"p2", u"p3"}));
  h.listView->UserRightClick(0);
  EXPECT_TRUE(h.listView->menusShown.back().Entry(CImageListCtrl::kUndoCommand)->enabled);

  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"p0", u"p1", u"p2", u"p3"}));
  for (const auto& path : paths) EXPECT_TRUE(ThumbnailListHarness::Exists(path));
  // Nothing more to take back.
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.ItemTexts().size(), 4u);
  EXPECT_FALSE(h.RightClickAndChoose(0, CImageListCtrl::kUndoCommand));
  ExpectPicturesFollowTheirItems(h);
}

TEST(ThumbnailUndo, EachPictureReturnsToItsPlaceAfterTheListChanged) {
  ThumbnailListHarness h;
  const auto paths = AddPictures(h, 3);
  h.DeleteWithKey(1);
  h.Add(h.Picture("p3.bmp", 40, 30, ColourOf(3)));
  h.listView->UserSelectOnly(2);
  h.PressControl(platform::kKeyLeft);  // p3 before p2
  ASSERT_EQ(h.ItemTexts(), (Texts{u"p0", u"p3", u"p2"}));
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"p0", u"p1", u"p3", u"p2"}));
  ExpectPicturesFollowTheirItems(h);

  // A place past the end of a shorter list is its end.
  h.DeleteWithKey(3);
  h.listView->UserSelectOnly(0);
  h.listView->UserAddToSelection(1);
  EXPECT_TRUE(h.listView->UserPressKey(platform::kKeyDelete));
  ASSERT_EQ(h.ItemTexts(), Texts{u"p3"});
  h.PressControl(platform::kKeyZ);
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"p0", u"p1", u"p3", u"p2"}));
}

TEST(ThumbnailUndo, TheEndOfTheSessionDeletesWhatWasSetAsideAndFreesItsPictures) {
  ThumbnailListHarness h;
  const auto paths = AddPictures(h, 4);
  h.DeleteWithKey(1);
  h.DeleteWithKey(0);
  EXPECT_EQ(h.listView->images.size(), 4u);

  h.list.DeleteSetAsideFiles();
  EXPECT_FALSE(std::filesystem::exists(h.AsideFolder()));
  EXPECT_FALSE(ThumbnailListHarness::Exists(paths[0]));
  EXPECT_FALSE(ThumbnailListHarness::Exists(paths[1]));
  EXPECT_FALSE(h.list.CanUndo());
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"p2", u"p3"}));
  // The two pictures left the image list; the others show their own.
  EXPECT_EQ(h.listView->images.size(), 2u);
  ExpectPicturesFollowTheirItems(h);
  h.Add(h.Picture("p4.bmp", 40, 30, ColourOf(4)));
  EXPECT_EQ(h.listView->items.back().image, 2);
  ExpectPicturesFollowTheirItems(h);
}

TEST(ThumbnailUndo, AStepOlderThanTheHistoryHoldsIsDeletedForGood) {
  ThumbnailListHarness h;
  const int steps = static_cast<int>(CImageListCtrl::kUndoSteps);
  const auto paths = AddPictures(h, steps + 2);
  for (int i = 0; i <= steps; ++i) {
    h.DeleteWithKey(0);
  }
  // The first delete is gone for good, the later ones wait.
  EXPECT_EQ(h.AsideFiles().size(), static_cast<size_t>(steps));
  EXPECT_FALSE(h.list.IsSetAside(paths[0]));
  EXPECT_EQ(h.listView->images.size(), static_cast<size_t>(steps + 1));
  for (int i = 0; i < steps + 1; ++i) h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.listView->items.size(), static_cast<size_t>(steps + 1));
  EXPECT_EQ(h.ItemTexts().front(), u"p1");
  EXPECT_FALSE(ThumbnailListHarness::Exists(paths[0]));
  ExpectPicturesFollowTheirItems(h);
}

TEST(ThumbnailUndo, OlderStepsGoWhenTheHistoryHoldsTooManyPicturesButTheLastStaysWhole) {
  ThumbnailListHarness h;
  const int many = static_cast<int>(CImageListCtrl::kUndoPictures) + 1;
  AddPictures(h, 2);
  h.DeleteWithKey(0);  // p0
  for (int i = 2; i < many + 1; ++i) {
    h.Add(h.Picture("p" + std::to_string(i) + ".bmp", 40, 30, ColourOf(i % 20)));
  }
  h.RightClickAndChoose(-1);  // clears p1 and the many after it
  EXPECT_EQ(h.AsideFiles().size(), static_cast<size_t>(many));
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.listView->items.size(), static_cast<size_t>(many));
  EXPECT_EQ(h.ItemTexts().front(), u"p1");
  // The delete before the clear could not be kept beside it.
  EXPECT_FALSE(h.list.CanUndo());
  EXPECT_TRUE(h.AsideFiles().empty());
}

TEST(ThumbnailUndo, ANewFileUnderTheNameKeepsTheStepAndSaysSo) {
  ThumbnailListHarness h;
  const auto paths = AddPictures(h, 2);
  h.DeleteWithKey(0);
  const std::u16string other = h.Picture("p0.bmp", 40, 30, ColourOf(9));
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"error"});
  EXPECT_EQ(h.ItemTexts(), Texts{u"p1"});
  EXPECT_TRUE(h.list.CanUndo());
  EXPECT_EQ(h.AsideFiles().size(), 1u);

  std::filesystem::remove(std::string(other.begin(), other.end()));
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"p0", u"p1"}));
  ExpectPicturesFollowTheirItems(h);
}

TEST(ThumbnailUndo, AFileGoneBeforeItsDeleteCannotComeBack) {
  ThumbnailListHarness h;
  const auto paths = AddPictures(h, 2);
  std::filesystem::remove(std::string(paths[0].begin(), paths[0].end()));
  h.DeleteWithKey(0);
  EXPECT_FALSE(h.list.CanUndo());
  EXPECT_EQ(h.listView->images.size(), 1u);
  ExpectPicturesFollowTheirItems(h);
}

TEST(ThumbnailUndo, ASecondFileOfOneNameWaitsBesideTheFirst) {
  ThumbnailListHarness h;
  const auto paths = AddPictures(h, 1);
  h.DeleteWithKey(0);
  h.Add(h.Picture("p0.bmp", 40, 30, ColourOf(5)));
  h.DeleteWithKey(0);
  EXPECT_EQ(h.AsideFiles(), (Names{"1_p0.bmp", "2_p0.bmp"}));
  h.PressControl(platform::kKeyZ);
  ASSERT_EQ(h.ItemTexts(), Texts{u"p0"});
  EXPECT_EQ(h.CentreOfItem(0), ColourOf(5));
}

TEST(ThumbnailUndo, PicturesSetAsideComeBackAtTheCellSizeOfANewDpi) {
  ThumbnailListHarness h;
  AddPictures(h, 2);
  h.DeleteWithKey(1);
  const int width = h.listView->imageWidth;
  static_cast<headless::HeadlessWindow*>(h.window.get())->UserMoveToDpi(192);
  h.list.OnDpiChanged();
  ASSERT_GT(h.listView->imageWidth, width);
  h.PressControl(platform::kKeyZ);
  ASSERT_EQ(h.ItemTexts(), (Texts{u"p0", u"p1"}));
  const platform::RgbImage& picture =
      h.listView->images.at(static_cast<size_t>(h.listView->items[1].image));
  EXPECT_EQ(picture.width, h.listView->imageWidth);
  ExpectPicturesFollowTheirItems(h);
}
