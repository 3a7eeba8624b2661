// What the capture window sizes itself: the device list is widened once,
// and on a monitor of 144 DPI (150 %) what it sizes in pixels grows by half,
// whether it starts there or is moved there.
#include "SessionSteps.h"

using namespace steps;

namespace {

// What the window sized itself, for comparing two windows.
struct OwnLayout {
  platform::Rect statusBar, deviceList, livePicture, mergePreview, firstPane, secondPane;
  thumbnails::CellSize cell;
};

OwnLayout LayoutOf(CaptureWindowHarness& h) {
  auto& preview = Headless(h.dialog->Merges().Preview());
  return {h.Window().GetStatusBar().rect, h.Window().ControlRect(IDC_DEVICE),
          Headless(h.dialog->Devices().MainPreviewHost()).WindowRect(), preview.WindowRect(),
          preview.ControlRect(IDC_MERGE_FIRST_PANE), preview.ControlRect(IDC_MERGE_SECOND_PANE),
          h.dialog->Thumbnails().ThumbnailSize()};
}

// Scaling rounds where the template's dialog units do not: a pixel apart at most.
bool Near(const platform::Rect& a, const platform::Rect& b) {
  return std::abs(a.left - b.left) <= 1 && std::abs(a.top - b.top) <= 1 &&
         std::abs(a.right - b.right) <= 1 && std::abs(a.bottom - b.bottom) <= 1;
}

}  // namespace

TEST(HighDpi, AWindowStartedOrMovedTo144DpiSizesItsOwnPartsHalfAsLargeAgain) {
  OwnLayout started;
  platform::Rect startedPicture;
  {
    CaptureWindowHarness h;
    h.host.desktop.dpi = 144;
    h.Then([&] {
      ASSERT_EQ(h.Window().Dpi(), 144);
      ASSERT_TRUE(h.Window().UserClick(IDC_MERGE));
      started = LayoutOf(h);
      startedPicture = h.Window().ControlScreenRect(IDC_PREVIEW_AREA);
      const platform::Rect client = h.Window().ClientRect();
      EXPECT_EQ(started.statusBar, (platform::Rect{0, client.bottom - 30, client.right, client.bottom}));
    });
    h.Run();
  }
  // 60 dialog units are 135 pixels here; widened to three times less 120.
  EXPECT_EQ(started.deviceList.Width(), 3 * 135 - 120);
  // The list is 97 dialog units (218 pixels) inside a border of 2: 90 less.
  EXPECT_EQ(started.cell.width, 218 - 2 - 90);
  EXPECT_EQ(started.mergePreview.left, startedPicture.left + 3);
  EXPECT_EQ(std::pair(started.firstPane.left, started.firstPane.top), std::pair(9, 9));
  EXPECT_EQ(started.secondPane.left - started.firstPane.right, 15);

  CaptureWindowHarness h;
  h.Then([&] { CaptureAt(h, 10); });
  h.RunWith([&] {
    // The device list is widened once: language switches leave it as it is.
    h.Window().UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"CN"));
    h.Window().UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"EN"));
    ASSERT_TRUE(h.Window().UserClick(IDC_MERGE));
    auto& list = Thumbnails(h);
    ASSERT_EQ(list.ItemCount(), 1);
    list.UserSelectOnly(0);
    // The merge preview floats over the window: it reaches the monitor too.
    h.Window().UserMoveToDpi(144);
    Headless(h.dialog->Merges().Preview()).UserMoveToDpi(144);
    const OwnLayout moved = LayoutOf(h);
    EXPECT_EQ(moved.statusBar.Height(), 30);
    EXPECT_TRUE(Near(moved.statusBar, started.statusBar));
    EXPECT_TRUE(Near(moved.deviceList, started.deviceList));
    EXPECT_EQ(moved.livePicture, h.Window().ControlRect(IDC_PREVIEW_AREA));
    EXPECT_TRUE(Near(moved.mergePreview, started.mergePreview));
    EXPECT_TRUE(Near(moved.firstPane, started.firstPane));
    EXPECT_TRUE(Near(moved.secondPane, started.secondPane));
    EXPECT_NEAR(moved.cell.width, started.cell.width, 1);
    // The thumbnail was made again at the new size, still selected.
    EXPECT_EQ(list.imageWidth, moved.cell.width);
    ASSERT_EQ(list.ItemCount(), 1);
    EXPECT_EQ(list.images[static_cast<size_t>(list.ItemImage(0))].width, moved.cell.width);
    EXPECT_EQ(list.NextSelected(-1), 0);
  });
}
