// The thumbnail list on the capture window's real list view: a real BMP's
// letterboxed thumbnail goes into the image list with the posted insert, the
// item is named after the file and opens on a double click; a drag ends
// without a move on Escape or outside the list. The list view's keys, drops
// and images removed are the window contract's (tests/contract), pictures
// that leave the list with the rest keeping theirs the native ThumbnailUndo
// tests'; files that are no picture the panes' and the hostile files' tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "localisation/UiTextTable.h"
#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Link.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "resource.h"
#include "thumbnails/CImageListCtrl.h"
#include "thumbnails/ThumbnailGeometry.h"
#include "win32/support/RecordingDialog.h"
#include "win32/support/TestPictures.h"

#include <commctrl.h>

namespace {

using win32_test_support::Bmp;

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
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(dc, canvas);
  ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
  const COLORREF pixel = GetPixel(dc, x < 0 ? width / 2 : x, y < 0 ? height / 2 : y);
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixel;
}

class ThumbnailListWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    g_counts.clear();
    ui.InitCommonControls();
    window = ui.CreateModeless(IDD_CAPTURE_WINDOW, handler, nullptr);
    ASSERT_NE(window, nullptr);
    dialog = win32_test::Handle(*window);
    listHandle = GetDlgItem(dialog, IDC_THUMBNAILS);
    ASSERT_TRUE(list.Initialise(*window, IDC_THUMBNAILS));
    list.SetCountCallback(&RecordCount);
  }
  void TearDown() override {
    list.DeleteSetAsideFiles();
    for (const auto& file : files) DeleteFileW(reinterpret_cast<const wchar_t*>(file.c_str()));
  }
  std::u16string Write(const std::wstring& name, const std::string& bytes) {
    files.push_back(win32_test_support::TempFile(L"prismel-thumbnails", name));
    EXPECT_TRUE(win32_test_support::WriteBytes(files.back(), bytes));
    return files.back();
  }
  // Three pictures of their own colours, listed.
  void AddThree() {
    for (const auto& [name, colour] :
         {std::pair{L"a.bmp", RGB(0, 0, 255)}, std::pair{L"b.bmp", RGB(0, 255, 0)},
          std::pair{L"c.bmp", RGB(255, 0, 0)}}) {
      ASSERT_GE(list.AddImage(Write(name, Bmp(64, 48, colour))), 0);
    }
    win32_test::HandleWaitingMessages();
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
    SendMessageW(dialog, WM_NOTIFY, IDC_THUMBNAILS, reinterpret_cast<LPARAM>(&notification));
  }
  LPARAM PointIn(int item) {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    SendMessageW(listHandle, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&rect));
    return MAKELPARAM((rect.left + rect.right) / 2, rect.top + 2);
  }

  RecordingOs os;
  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  win32::Win32Link link;
  win32::Win32Imaging imaging;
  platform::Platform platform{os, ui, link, imaging};
  localisation::UiTextTable texts;
  win32_test::RecordingDialog handler;
  std::unique_ptr<platform::Window> window;
  HWND dialog = nullptr;
  HWND listHandle = nullptr;
  CImageListCtrl list{platform, texts};
  std::vector<std::u16string> files;
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

  const COLORREF red = RGB(200, 30, 40);
  const std::u16string path = Write(L"1_4711.bmp", Bmp(300, 400, red));
  EXPECT_EQ(list.AddImage(path), 0);
  EXPECT_EQ(g_counts, std::vector<int>{1});
  EXPECT_EQ(View().ItemCount(), 0) << "the item comes with the posted insert";
  win32_test::HandleWaitingMessages();
  EXPECT_EQ(Order(), u"1_4711");
  EXPECT_EQ(ImageList_GetImageCount(Images()), 1);
  // A portrait picture: white at the sides, the picture in the middle.
  EXPECT_EQ(PixelOf(Images(), 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(Images(), 0, cell.width - 1), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(Images(), 0), red);

  Notify(NM_DBLCLK, -1);
  Notify(NM_DBLCLK, 0);
  EXPECT_EQ(os.opened, std::vector<std::u16string>{path});
}

TEST_F(ThumbnailListWin32, ADragEndsWithoutAMoveOnEscapeOrOutsideTheList) {
  AddThree();
  Notify(LVN_BEGINDRAG, 2);
  EXPECT_EQ(GetCapture(), listHandle);
  // The list keeps Escape while it drags, so that the dialog stays open.
  MSG escape{listHandle, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_NE(SendMessageW(listHandle, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)) &
                DLGC_WANTALLKEYS,
            0);
  SendMessageW(listHandle, WM_MOUSEMOVE, MK_LBUTTON, PointIn(0));
  SendMessageW(listHandle, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_NE(GetCapture(), listHandle);
  SendMessageW(listHandle, WM_LBUTTONUP, 0, PointIn(0));
  Notify(LVN_BEGINDRAG, 2);
  SendMessageW(listHandle, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
  EXPECT_EQ(Order(), u"abc");
  Notify(LVN_BEGINDRAG, 2);
  SendMessageW(listHandle, WM_LBUTTONUP, 0, PointIn(0));
  EXPECT_EQ(Order(), u"cab");
}
