// The thumbnail list on the capture window's real list view: a real BMP's
// letterboxed thumbnail goes into the image list with the posted insert, the
// item is named after the file and opens on a double click; a drag ends
// without a move on Escape or outside the list. The list view's keys, drops
// and images removed are the window contract's (tests/contract), pictures
// that leave the list with the rest keeping theirs the native ThumbnailUndo
// tests'; files that are no picture the panes' and the hostile files' tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "localisation/UiTextTable.h"
#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Link.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "resource.h"
#include "support/MadePictures.h"
#include "support/TestFolder.h"
#include "thumbnails/CImageListCtrl.h"
#include "thumbnails/ThumbnailGeometry.h"
#include "win32/support/RecordingDialog.h"

#include <commctrl.h>

namespace {

// The system's "open" is only recorded: no viewer starts under test.
struct RecordingOs : win32::Win32Os {
  bool ShellOpen(const std::u16string& path) override {
    opened.push_back(path);
    return true;
  }
  std::vector<std::u16string> opened;
};

std::vector<int> g_counts;
void RecordCount(int count) { g_counts.push_back(count); }

// A pixel of an image as the list view draws it; the middle one by default.
COLORREF PixelOf(HIMAGELIST images, int index, int x = -1, int y = -1) {
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  return win32_test::PixelDrawn(
      width, height, x < 0 ? width / 2 : x, y < 0 ? height / 2 : y,
      [&](HDC dc) { ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL); });
}

class ThumbnailListWin32 : public win32_test::CaptureWindowTest {
 protected:
  void SetUp() override {
    g_counts.clear();
    CaptureWindowTest::SetUp();
    listHandle = GetDlgItem(hwnd, IDC_THUMBNAILS);
    ASSERT_TRUE(list.Initialise(*window, IDC_THUMBNAILS));
    list.SetCountCallback(&RecordCount);
  }
  void TearDown() override { list.DeleteSetAsideFiles(); }
  // A picture of one colour in the test's folder.
  std::u16string Write(const char* name, int width, int height, testing_support::Colour colour) {
    const std::filesystem::path file = folder.Path() / name;
    EXPECT_TRUE(testing_support::WriteSolidPicture(file, width, height, colour));
    return file.u16string();
  }
  platform::ListView& View() { return *window->ListViewControl(IDC_THUMBNAILS); }
  std::u16string Order() {
    std::u16string order;
    for (int i = 0; i < View().ItemCount(); ++i) order += View().ItemText(i);
    return order;
  }
  HIMAGELIST Images() const {
    return reinterpret_cast<HIMAGELIST>(
        SendMessageW(listHandle, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
  }
  void Notify(UINT code, int item) {
    NMITEMACTIVATE notification{};
    notification.hdr = NMHDR{listHandle, IDC_THUMBNAILS, code};
    notification.iItem = item;
    SendMessageW(hwnd, WM_NOTIFY, IDC_THUMBNAILS, reinterpret_cast<LPARAM>(&notification));
  }
  LPARAM PointIn(int item) {
    const RECT rect = win32_test::ItemBounds(listHandle, item);
    return MAKELPARAM((rect.left + rect.right) / 2, rect.top + 2);
  }

  RecordingOs os;
  win32::Win32Link link;
  win32::Win32Imaging imaging;
  platform::Platform platform{os, ui, link, imaging};
  localisation::UiTextTable texts;
  HWND listHandle = nullptr;
  CImageListCtrl list{platform, texts};
  testing_support::TestFolder folder;
};

}  // namespace

TEST_F(ThumbnailListWin32, ARealBmpBecomesANamedItemWithALetterboxedPictureAndOpensOnADoubleClick) {
  RECT client{};
  GetClientRect(listHandle, &client);
  const thumbnails::CellSize cell = list.ThumbnailSize();
  EXPECT_EQ(cell.width, client.right - 60);
  int iconWidth = 0, iconHeight = 0;
  ImageList_GetIconSize(Images(), &iconWidth, &iconHeight);
  EXPECT_EQ(std::make_pair(iconWidth, iconHeight), std::make_pair(cell.width, cell.width / 4 * 3));

  const std::u16string path = Write("1_4711.bmp", 300, 400, {200, 30, 40});
  EXPECT_EQ(list.AddImage(path), 0);
  EXPECT_EQ(g_counts, std::vector<int>{1});
  EXPECT_EQ(View().ItemCount(), 0) << "the item comes with the posted insert";
  win32_test::HandleWaitingMessages();
  EXPECT_EQ(Order(), u"1_4711");
  EXPECT_EQ(ImageList_GetImageCount(Images()), 1);
  // A portrait picture: white at the sides, the picture in the middle.
  EXPECT_EQ(PixelOf(Images(), 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(Images(), 0, cell.width - 1), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(Images(), 0), RGB(200, 30, 40));

  Notify(NM_DBLCLK, -1);
  Notify(NM_DBLCLK, 0);
  EXPECT_EQ(os.opened, std::vector<std::u16string>{path});
}

TEST_F(ThumbnailListWin32, ADragEndsWithoutAMoveOnEscapeOrOutsideTheList) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
    ASSERT_GE(list.AddImage(Write(name, 64, 48, {0, 0, 255})), 0);
  }
  win32_test::HandleWaitingMessages();
  Notify(LVN_BEGINDRAG, 2);
  EXPECT_EQ(GetCapture(), listHandle);
  // The list keeps Escape while it drags, so that the dialog stays open.
  EXPECT_TRUE(win32_test::WantsAllKeys(listHandle, VK_ESCAPE));
  SendMessageW(listHandle, WM_MOUSEMOVE, MK_LBUTTON, PointIn(0));
  SendMessageW(listHandle, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_NE(GetCapture(), listHandle);
  SendMessageW(listHandle, WM_LBUTTONUP, 0, PointIn(0));
  Notify(LVN_BEGINDRAG, 2);
  SendMessageW(listHandle, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
  EXPECT_EQ(Order(), u"abc");
}
