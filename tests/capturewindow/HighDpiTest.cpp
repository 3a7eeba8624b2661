// The capture window on a monitor of 144 DPI (150 %): what the program
// sizes in pixels itself grows by half, whether the window starts there or
// is moved there.
#include "CaptureWindowHarness.h"

namespace {

// What the window sized itself, for comparing two windows.
struct OwnLayout {
  platform::Rect statusBar;
  platform::Rect deviceList;
  platform::Rect livePicture;
  platform::Rect mergePreview;
  platform::Rect firstPane;
  thumbnails::CellSize cell;
};

OwnLayout LayoutOf(CaptureWindowHarness& h) {
  auto& w = h.Window();
  auto* preview = static_cast<headless::HeadlessWindow*>(h.dialog->Merges().Preview());
  auto* host = static_cast<headless::HeadlessWindow*>(h.dialog->Devices().MainPreviewHost());
  return {w.GetStatusBar().rect,  w.ControlRect(IDC_DEVICE),
          host->WindowRect(),     preview->WindowRect(),
          preview->ControlRect(IDC_MERGE_FIRST_PANE), h.dialog->Thumbnails().ThumbnailSize()};
}

}  // namespace

TEST(HighDpi, AWindowStartedAt144DpiSizesItsOwnPartsHalfAsLargeAgain) {
  CaptureWindowHarness h;
  h.host.desktop.dpi = 144;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_EQ(w.Dpi(), 144);
    const platform::Rect client = w.ClientRect();
    EXPECT_EQ(w.GetStatusBar().rect, (platform::Rect{0, client.bottom - 30, client.right, client.bottom}));
    // 60 dialog units are 135 pixels here; widened to three times less 120.
    EXPECT_EQ(w.ControlRect(IDC_DEVICE).Width(), 3 * 135 - 120);
    // The list is 97 dialog units (218 pixels) inside a border of 2: 90 less.
    EXPECT_EQ(h.dialog->Thumbnails().ThumbnailSize().width, 218 - 2 - 90);

    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    auto* preview = static_cast<headless::HeadlessWindow*>(h.dialog->Merges().Preview());
    EXPECT_EQ(preview->WindowRect().left, w.ControlScreenRect(IDC_PREVIEW_AREA).left + 3);
    const platform::Rect first = preview->ControlRect(IDC_MERGE_FIRST_PANE);
    const platform::Rect second = preview->ControlRect(IDC_MERGE_SECOND_PANE);
    EXPECT_EQ(first.left, 9);
    EXPECT_EQ(first.top, 9);
    EXPECT_EQ(second.left - first.right, 15);
  });
  h.Run();
}

TEST(HighDpi, MovingToA144DpiMonitorLaysTheWindowOutAsIfItStartedThere) {
  OwnLayout started;
  {
    CaptureWindowHarness h;
    h.host.desktop.dpi = 144;
    h.Then([&] {
      ASSERT_TRUE(h.Window().UserClick(IDC_MERGE));
      started = LayoutOf(h);
    });
    h.Run();
  }
  CaptureWindowHarness h;
  h.Then([&] { ASSERT_TRUE(h.Window().UserPressKey(IDC_COLOR_MODE, platform::kKeySpace)); });
  h.Then([&] {
    ASSERT_TRUE(h.Window().UserClick(IDC_MERGE));
    auto& list = *static_cast<headless::HeadlessListView*>(h.Window().ListViewControl(IDC_THUMBNAILS));
    ASSERT_EQ(list.ItemCount(), 1);
    list.UserSelectOnly(0);
    // The merge preview floats over the window: it reaches the monitor too.
    h.Window().UserMoveToDpi(144);
    static_cast<headless::HeadlessWindow*>(h.dialog->Merges().Preview())->UserMoveToDpi(144);
    const OwnLayout moved = LayoutOf(h);
    // Scaling rounds where the template's dialog units do not: a pixel apart
    // at most.
    const auto near = [](const platform::Rect& a, const platform::Rect& b) {
      return std::abs(a.left - b.left) <= 1 && std::abs(a.top - b.top) <= 1 &&
             std::abs(a.right - b.right) <= 1 && std::abs(a.bottom - b.bottom) <= 1;
    };
    EXPECT_EQ(moved.statusBar.Height(), 30);
    EXPECT_TRUE(near(moved.statusBar, started.statusBar));
    EXPECT_TRUE(near(moved.deviceList, started.deviceList));
    EXPECT_EQ(moved.livePicture, h.Window().ControlRect(IDC_PREVIEW_AREA));
    EXPECT_TRUE(near(moved.mergePreview, started.mergePreview));
    EXPECT_TRUE(near(moved.firstPane, started.firstPane));
    EXPECT_NEAR(moved.cell.width, started.cell.width, 1);
    // The thumbnail was made again at the new size, still selected.
    EXPECT_EQ(list.imageWidth, moved.cell.width);
    ASSERT_EQ(list.ItemCount(), 1);
    EXPECT_EQ(list.images[static_cast<size_t>(list.ItemImage(0))].width, moved.cell.width);
    EXPECT_EQ(list.NextSelected(-1), 0);
  });
  h.Run();
}
