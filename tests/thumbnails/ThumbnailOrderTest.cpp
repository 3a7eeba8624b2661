// Putting the pictures in another order: Ctrl+Left and Ctrl+Right, the
// context menu's moves and a drag with the mouse. The moved item keeps its
// picture without a decode, stays selected and in view, and the order shows
// in the files the list names. With the order fixed (one-by-one hand-off)
// nothing moves: PageList.OneByOneOffersNoMoves… in the capture window's
// suite.
#include <gtest/gtest.h>

#include "thumbnails/ThumbnailListHarness.h"

namespace thumbnail_tests {

TEST(ThumbnailOrder, CtrlArrowsAndTheMenuMoveAnItemOnePlaceAndKeepItSelectedAndInView) {
  ThumbnailListHarness h;
  const auto paths = h.AddPictures(3);
  const int decoded = h.host.imaging.picturesDecoded;
  h.listView->UserSelectOnly(2);

  h.PressControl(platform::kKeyLeft);
  h.ExpectItems("acb");
  EXPECT_EQ(h.SelectedItems(), std::vector<size_t>{1});
  EXPECT_EQ(h.listView->selectionMark, 1);
  EXPECT_EQ(h.listView->ensuredVisible.back(), 1);
  h.PressControl(platform::kKeyLeft);
  h.ExpectItems("cab");
  // At the first place nothing happens.
  h.listView->ensuredVisible.clear();
  h.PressControl(platform::kKeyLeft);
  h.ExpectItems("cab");
  EXPECT_TRUE(h.listView->ensuredVisible.empty());
  h.PressControl(platform::kKeyRight);
  h.ExpectItems("acb");
  // The arrows alone, or with Shift as well, are the list's own keys.
  EXPECT_FALSE(h.listView->UserPressKey(platform::kKeyLeft));
  EXPECT_FALSE(h.listView->UserPressKey(platform::kKeyLeft, true, true));
  h.ExpectItems("acb");

  EXPECT_EQ(h.host.imaging.picturesDecoded, decoded);
  EXPECT_EQ(h.listView->images.size(), 3u);
  h.listView->UserDoubleClick(1);
  EXPECT_EQ(h.host.os.shellOpened, std::vector<std::u16string>{paths[2]});
  // Moving changes no count; a focused item that is not selected moves not.
  EXPECT_EQ(ThumbnailListHarness::counts(), (std::vector<int>{1, 2, 3}));
  h.listView->items[1].selected = false;
  h.PressControl(platform::kKeyLeft);
  h.ExpectItems("acb");

  // The menu moves the item it opened on and offers only moves that can be
  // made.
  const char* const offered[] = {"Earlier 672 off | Later 673", "Earlier 672 | Later 673",
                                 "Earlier 672 | Later 673 off"};
  for (int item = 0; item < 3; ++item) {
    h.listView->UserRightClick(item);
    EXPECT_EQ(h.LastMenu(), std::string("Delete 671 | ") + offered[item] + " | Take back 674 off");
  }
  // The item clicked moves, whatever else is selected.
  h.listView->UserSelectOnly(2);
  EXPECT_TRUE(h.Choose(0, CImageListCtrl::kMoveLaterCommand));
  h.ExpectItems("cab");
  EXPECT_TRUE(h.Choose(2, CImageListCtrl::kMoveEarlierCommand));
  h.ExpectItems("cba");
  EXPECT_FALSE(h.Choose(0, CImageListCtrl::kMoveEarlierCommand));
  h.ExpectItems("cba");
  // The command alone moves the selection mark's item.
  h.listView->UserSelectOnly(1);
  h.list.OnMenuCommand(CImageListCtrl::kMoveLaterCommand);
  h.ExpectItems("cab");
}

TEST(ThumbnailOrder, AnOrderFixedBeforeTheListIsBoundHoldsAgainstADrag) {
  ThumbnailListHarness h(150, true);
  h.AddPictures(2);
  EXPECT_FALSE(h.listView->UserDrag(0, 2));
  h.ExpectItems("ab");
}

struct DragCase {
  int item;
  int place;
  const char* order;
};

class ThumbnailDrag : public ::testing::TestWithParam<DragCase> {};

TEST_P(ThumbnailDrag, DropsTheItemBeforeThePlaceOfTheMarkAndSelectsIt) {
  ThumbnailListHarness h;
  h.AddPictures(4);
  const int decoded = h.host.imaging.picturesDecoded;
  ASSERT_TRUE(h.listView->UserDrag(GetParam().item, GetParam().place));
  h.ExpectItems(GetParam().order);
  EXPECT_EQ(h.host.imaging.picturesDecoded, decoded);
  const std::string order = GetParam().order;
  const size_t dragged = order.find(static_cast<char>('a' + GetParam().item));
  EXPECT_EQ(h.SelectedItems(), std::vector<size_t>{dragged});
}

INSTANTIATE_TEST_SUITE_P(Places, ThumbnailDrag,
                         ::testing::Values(DragCase{3, 0, "dabc"}, DragCase{0, 4, "bcda"},
                                           DragCase{0, 2, "bacd"}, DragCase{2, 1, "acbd"},
                                           // On its own place, before or after itself: no move.
                                           DragCase{1, 1, "abcd"}, DragCase{1, 2, "abcd"}),
                         [](const ::testing::TestParamInfo<DragCase>& info) {
                           return "Item" + std::to_string(info.param.item) + "ToPlace" +
                                  std::to_string(info.param.place);
                         });

}  // namespace thumbnail_tests
