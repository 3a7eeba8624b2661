// Putting the pictures in another order: Ctrl+Left and Ctrl+Right, the
// context menu's moves and a drag with the mouse. The moved item keeps its
// picture without a decode, stays selected and in view, and the order shows
// in the files the list names; with the order fixed nothing moves.
#include <gtest/gtest.h>

#include "thumbnails/ThumbnailListHarness.h"

using thumbnail_tests::Colour;
using thumbnail_tests::ThumbnailListHarness;

namespace {

using Texts = std::vector<std::u16string>;

// A list of pictures of distinct colours named a, b, c ...
class OrderedList {
 public:
  explicit OrderedList(int count) {
    for (int i = 0; i < count; ++i) {
      const std::string name(1, static_cast<char>('a' + i));
      paths.push_back(h.Picture(name + ".bmp", 40, 30, ColourOf(i)));
      h.Add(paths.back());
    }
  }
  static Colour ColourOf(int i) {
    return Colour{static_cast<uint8_t>(40 * i), 200, static_cast<uint8_t>(250 - 40 * i)};
  }
  // Each item shows the picture of its own file.
  void ExpectPicturesFollowTheirItems() const {
    for (size_t item = 0; item < h.listView->items.size(); ++item) {
      const int picture = h.listView->items[item].text[0] - u'a';
      EXPECT_EQ(h.CentreOfItem(static_cast<int>(item)), ColourOf(picture)) << "item " << item;
    }
  }

  ThumbnailListHarness h;
  std::vector<std::u16string> paths;
};

}  // namespace

TEST(ThumbnailOrder, CtrlArrowsMoveTheSelectedItemOnePlaceAndKeepItSelectedAndInView) {
  OrderedList l(3);
  ThumbnailListHarness& h = l.h;
  const int decoded = h.host.imaging.picturesDecoded;
  h.listView->UserSelectOnly(2);

  h.PressControl(platform::kKeyLeft);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"a", u"c", u"b"}));
  EXPECT_EQ(h.SelectedItems(), std::vector<size_t>{1});
  EXPECT_EQ(h.listView->selectionMark, 1);
  EXPECT_EQ(h.listView->ensuredVisible.back(), 1);
  h.PressControl(platform::kKeyLeft);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"c", u"a", u"b"}));
  // At the first place nothing happens.
  h.listView->ensuredVisible.clear();
  h.PressControl(platform::kKeyLeft);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"c", u"a", u"b"}));
  EXPECT_TRUE(h.listView->ensuredVisible.empty());
  h.PressControl(platform::kKeyRight);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"a", u"c", u"b"}));

  // The arrows alone, or with Shift as well, are the list's own keys.
  EXPECT_FALSE(h.listView->UserPressKey(platform::kKeyLeft));
  EXPECT_FALSE(h.listView->UserPressKey(platform::kKeyLeft, true, true));
  EXPECT_EQ(h.ItemTexts(), (Texts{u"a", u"c", u"b"}));

  EXPECT_EQ(h.list.ListedFiles(), (Texts{l.paths[0], l.paths[2], l.paths[1]}));
  EXPECT_EQ(h.host.imaging.picturesDecoded, decoded);
  EXPECT_EQ(h.listView->images.size(), 3u);
  l.ExpectPicturesFollowTheirItems();
  h.listView->UserDoubleClick(1);
  EXPECT_EQ(h.host.os.shellOpened, Texts{l.paths[2]});
  // Moving changes no count.
  EXPECT_EQ(ThumbnailListHarness::counts(), (std::vector<int>{1, 2, 3}));
}

TEST(ThumbnailOrder, KeysWithoutASelectedItemMoveNothing) {
  OrderedList l(2);
  l.h.listView->UserSelectOnly(1);
  l.h.listView->items[1].selected = false;  // focused, not selected
  l.h.PressControl(platform::kKeyLeft);
  EXPECT_EQ(l.h.ItemTexts(), (Texts{u"a", u"b"}));
}

TEST(ThumbnailOrder, TheMenuMovesTheItemItOpenedOnAndOffersOnlyMovesThatCanBeMade) {
  OrderedList l(3);
  ThumbnailListHarness& h = l.h;
  h.listView->UserRightClick(0);
  h.listView->UserRightClick(1);
  h.listView->UserRightClick(2);
  h.listView->UserRightClick(-1);
  const auto& menus = h.listView->menusShown;
  ASSERT_EQ(menus.size(), 4u);
  for (int item = 0; item < 3; ++item) {
    const auto& entries = menus[static_cast<size_t>(item)].entries;
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[1].text, u"Earlier");
    EXPECT_EQ(entries[1].command, CImageListCtrl::kMoveEarlierCommand);
    EXPECT_EQ(entries[1].enabled, item > 0) << item;
    EXPECT_EQ(entries[2].text, u"Later");
    EXPECT_EQ(entries[2].command, CImageListCtrl::kMoveLaterCommand);
    EXPECT_EQ(entries[2].enabled, item < 2) << item;
  }
  EXPECT_EQ(menus[3].Entry(CImageListCtrl::kMoveEarlierCommand), nullptr);
  EXPECT_EQ(menus[3].Entry(CImageListCtrl::kMoveLaterCommand), nullptr);

  // The item clicked moves, whatever else is selected.
  h.listView->UserSelectOnly(2);
  EXPECT_TRUE(h.RightClickAndChoose(0, CImageListCtrl::kMoveLaterCommand));
  EXPECT_EQ(h.ItemTexts(), (Texts{u"b", u"a", u"c"}));
  EXPECT_TRUE(h.RightClickAndChoose(2, CImageListCtrl::kMoveEarlierCommand));
  EXPECT_EQ(h.ItemTexts(), (Texts{u"b", u"c", u"a"}));
  EXPECT_FALSE(h.RightClickAndChoose(0, CImageListCtrl::kMoveEarlierCommand));
  EXPECT_EQ(h.ItemTexts(), (Texts{u"b", u"c", u"a"}));
  l.ExpectPicturesFollowTheirItems();
}

struct DragCase {
  int item;
  int place;
  Texts order;
};

class ThumbnailDrag : public ::testing::TestWithParam<DragCase> {};

TEST_P(ThumbnailDrag, DropsTheItemBeforeThePlaceOfTheMark) {
  OrderedList l(4);
  const int decoded = l.h.host.imaging.picturesDecoded;
  ASSERT_TRUE(l.h.listView->UserDrag(GetParam().item, GetParam().place));
  EXPECT_EQ(l.h.ItemTexts(), GetParam().order);
  EXPECT_EQ(l.h.host.imaging.picturesDecoded, decoded);
  l.ExpectPicturesFollowTheirItems();
  // The dragged item is the one selected afterwards.
  const size_t dragged = static_cast<size_t>(
      std::find(GetParam().order.begin(), GetParam().order.end(),
                std::u16string(1, static_cast<char16_t>(u'a' + GetParam().item))) -
      GetParam().order.begin());
  EXPECT_EQ(l.h.SelectedItems(), std::vector<size_t>{dragged});
}

INSTANTIATE_TEST_SUITE_P(
    Places, ThumbnailDrag,
    ::testing::Values(DragCase{3, 0, {u"d", u"a", u"b", u"c"}},
                      DragCase{0, 4, {u"b", u"c", u"d", u"a"}},
                      DragCase{0, 2, {u"b", u"a", u"c", u"d"}},
                      DragCase{2, 1, {u"a", u"c", u"b", u"d"}},
                      // On its own place, before or after itself: no move.
                      DragCase{1, 1, {u"a", u"b", u"c", u"d"}},
                      DragCase{1, 2, {u"a", u"b", u"c", u"d"}}),
    [](const ::testing::TestParamInfo<DragCase>& info) {
      return "Item" + std::to_string(info.param.item) + "ToPlace" +
             std::to_string(info.param.place);
    });

TEST(ThumbnailOrder, WithTheOrderFixedNeitherKeysNorMenuNorDragMoveButUndoWorks) {
  OrderedList l(3);
  ThumbnailListHarness& h = l.h;
  h.list.SetOrderFixed(true);
  EXPECT_FALSE(h.listView->itemsMovable);
  h.listView->UserSelectOnly(1);
  h.PressControl(platform::kKeyLeft);
  h.PressControl(platform::kKeyRight);
  EXPECT_FALSE(h.listView->UserDrag(1, 0));
  h.list.OnMenuCommand(CImageListCtrl::kMoveEarlierCommand);
  EXPECT_FALSE(h.RightClickAndChoose(1, CImageListCtrl::kMoveLaterCommand));
  const auto& entries = h.listView->menusShown.back().entries;
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_FALSE(entries[1].enabled);
  EXPECT_FALSE(entries[2].enabled);
  EXPECT_TRUE(entries[0].enabled);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"a", u"b", u"c"}));

  EXPECT_TRUE(h.listView->UserPressKey(platform::kKeyDelete));
  EXPECT_EQ(h.ItemTexts(), (Texts{u"a", u"c"}));
  h.PressControl(platform::kKeyZ);
  EXPECT_EQ(h.ItemTexts(), (Texts{u"a", u"b", u"c"}));
}
