// The thumbnail list on the capture window's real list view: GDI+ decodes a
// real BMP, the letterboxed thumbnail goes into the image list, the item is
// named after the file, and the list view's notifications reach the list;
// its keys and a drag put the items in another order.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "localisation/UiTextTable.h"
#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Link.h"
#include "platform/win32/Win32ListView.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/WindowsHeaders.h"
#include "resource.h"
#include "thumbnails/CImageListCtrl.h"
#include "thumbnails/ThumbnailGeometry.h"

#include <commctrl.h>

#include "win32/support/TestPictures.h"

namespace {

struct Idle : platform::DialogHandler {
  bool OnInitDialog() override { return true; }
};

// The system's "open" is only recorded: no viewer starts under test.
struct RecordingOs : win32::Win32Os {
  bool ShellOpen(const std::u16string& path) override {
    opened.push_back(path);
    return true;
  }
  std::vector<std::u16string> opened;
};

std::vector<int>& Counts() {
  static std::vector<int> counts;
  return counts;
}
void RecordCount(int count) { Counts().push_back(count); }

// A file in this process's own folder under the temp folder.
std::u16string TempFile(const std::wstring& name) {
  return win32_test_support::TempFile(L"prismel-thumbnails", name);
}

using win32_test_support::Bmp;
using win32_test_support::WriteBytes;

bool Exists(const std::u16string& path) {
  return GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str())) !=
         INVALID_FILE_ATTRIBUTES;
}

void RunPostedMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::wstring ItemText(HWND list, int index) {
  wchar_t text[260] = {};
  LVITEMW item{};
  item.pszText = text;
  item.cchTextMax = 260;
  SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

// A pixel of an image as the list view draws it.
COLORREF PixelOfImage(HIMAGELIST images, int index, int x, int y) {
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(dc, canvas);
  ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
  const COLORREF pixel = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixel;
}

class ThumbnailListWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    Counts().clear();
    ui.InitCommonControls();
    window = ui.CreateModeless(IDD_CAPTURE_WINDOW, handler, nullptr);
    ASSERT_NE(window, nullptr);
    dialog = static_cast<win32::Win32Window*>(window.get())->Handle();
    listHandle = GetDlgItem(dialog, IDC_THUMBNAILS);
    ASSERT_NE(listHandle, nullptr);
    ASSERT_TRUE(list.Initialise(*window, IDC_THUMBNAILS));
    list.SetCountCallback(&RecordCount);
  }
  void TearDown() override {
    list.DeleteSetAsideFiles();
    for (const std::u16string& file : files) {
      DeleteFileW(reinterpret_cast<const wchar_t*>(file.c_str()));
    }
    const std::u16string any = TempFile(L"");
    RemoveDirectoryW(reinterpret_cast<const wchar_t*>(any.substr(0, any.size() - 1).c_str()));
  }
  std::u16string Write(const std::wstring& name, const std::string& bytes) {
    files.push_back(TempFile(name));
    EXPECT_TRUE(WriteBytes(files.back(), bytes));
    return files.back();
  }
  int ListCount() const {
    return static_cast<int>(SendMessageW(listHandle, LVM_GETITEMCOUNT, 0, 0));
  }
  HIMAGELIST Images() const {
    return reinterpret_cast<HIMAGELIST>(
        SendMessageW(listHandle, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
  }
  void Notify(UINT code, int item) {
    NMITEMACTIVATE notification{};
    notification.hdr.hwndFrom = listHandle;
    notification.hdr.idFrom = IDC_THUMBNAILS;
    notification.hdr.code = code;
    notification.iItem = item;
    SendMessageW(dialog, WM_NOTIFY, IDC_THUMBNAILS, reinterpret_cast<LPARAM>(&notification));
  }

  RecordingOs os;
  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  win32::Win32Link link;
  win32::Win32Imaging imaging;
  platform::Platform platform{os, ui, link, imaging};
  localisation::UiTextTable texts;
  Idle handler;
  std::unique_ptr<platform::Window> window;
  HWND dialog = nullptr;
  HWND listHandle = nullptr;
  CImageListCtrl list{platform, texts};
  std::vector<std::u16string> files;
};

}  // namespace

TEST_F(ThumbnailListWin32, RealBmpBecomesANamedItemWithALetterboxedImage) {
  RECT client{};
  GetClientRect(listHandle, &client);
  const thumbnails::CellSize cell = list.ThumbnailSize();
  EXPECT_EQ(cell.width, client.right - 60);
  EXPECT_EQ(cell.height, cell.width / 4 * 3);
  int iconWidth = 0, iconHeight = 0;
  ASSERT_NE(Images(), nullptr);
  ImageList_GetIconSize(Images(), &iconWidth, &iconHeight);
  EXPECT_EQ(iconWidth, cell.width);
  EXPECT_EQ(iconHeight, cell.height);

  const COLORREF red = RGB(200, 30, 40);
  const std::u16string path = Write(L"1_4711.bmp", Bmp(300, 400, red));
  EXPECT_EQ(list.AddImage(path), 0);
  EXPECT_EQ(Counts(), std::vector<int>{1});
  EXPECT_EQ(ListCount(), 0) << "the item comes with the posted insert";
  RunPostedMessages();

  ASSERT_EQ(ListCount(), 1);
  EXPECT_EQ(ItemText(listHandle, 0), L"1_4711");
  EXPECT_EQ(ImageList_GetImageCount(Images()), 1);
  // A portrait picture: white at the sides, the picture in the middle.
  const platform::ThumbnailLayout layout = thumbnails::LayoutFor(cell, {300, 400});
  ASSERT_GT(layout.placement.left, 0);
  EXPECT_EQ(PixelOfImage(Images(), 0, 0, cell.height / 2), RGB(255, 255, 255));
  EXPECT_EQ(PixelOfImage(Images(), 0, cell.width - 1, cell.height / 2), RGB(255, 255, 255));
  EXPECT_EQ(PixelOfImage(Images(), 0, cell.width / 2, cell.height / 2), red);
}

TEST_F(ThumbnailListWin32, FilesThatAreNotPicturesAreRefused) {
  EXPECT_EQ(list.AddImage(TempFile(L"missing.bmp")), -1);
  EXPECT_EQ(list.AddImage(Write(L"text.bmp", "not a picture at all")), -1);
  EXPECT_EQ(list.AddImage(Write(L"absurd.bmp", Bmp(20000, 20000, 0, false))), -1);
  RunPostedMessages();
  EXPECT_EQ(ListCount(), 0);
  EXPECT_EQ(ImageList_GetImageCount(Images()), 0);
  EXPECT_TRUE(Counts().empty());
}

TEST_F(ThumbnailListWin32, DoubleClickNotificationOpensTheItemsFile) {
  const std::u16string path = Write(L"a.bmp", Bmp(64, 48, RGB(0, 0, 255)));
  ASSERT_EQ(list.AddImage(path), 0);
  RunPostedMessages();
  Notify(NM_DBLCLK, -1);
  EXPECT_TRUE(os.opened.empty());
  Notify(NM_DBLCLK, 0);
  EXPECT_EQ(os.opened, std::vector<std::u16string>{path});
}

TEST_F(ThumbnailListWin32, DeleteTakesTheSelectedItemsOfTheRealListAndTheirFiles) {
  const std::u16string a = Write(L"a.bmp", Bmp(64, 48, RGB(0, 0, 255)));
  const std::u16string b = Write(L"b.bmp", Bmp(64, 48, RGB(0, 255, 0)));
  const std::u16string c = Write(L"c.bmp", Bmp(64, 48, RGB(255, 0, 0)));
  list.AddImage(a);
  list.AddImage(b);
  list.AddImage(c);
  RunPostedMessages();
  ASSERT_EQ(ListCount(), 3);
  platform::ListView* listView = window->ListViewControl(IDC_THUMBNAILS);
  listView->SetItemSelected(0, true);
  listView->SetItemSelected(2, true);
  list.OnMenuCommand(CImageListCtrl::kDeleteCommand);
  ASSERT_EQ(ListCount(), 1);
  EXPECT_EQ(ItemText(listHandle, 0), L"b");
  EXPECT_FALSE(Exists(a));
  EXPECT_TRUE(Exists(b));
  EXPECT_FALSE(Exists(c));
  EXPECT_EQ(Counts().back(), 1);
  EXPECT_EQ(ImageList_GetImageCount(Images()), 3);

  list.OnMenuCommand(CImageListCtrl::kClearCommand);
  EXPECT_EQ(ListCount(), 0);
  EXPECT_FALSE(Exists(b));
  EXPECT_EQ(Counts().back(), 0);
}

namespace {

void Key(HWND list, WPARAM key) {
  SendMessageW(list, WM_KEYDOWN, key, 0);
  SendMessageW(list, WM_KEYUP, key, 0);
}

int ItemImageOf(HWND list, int index) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

LPARAM PointIn(HWND list, int item, bool lowerHalf) {
  RECT rect{};
  rect.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
  const int y = lowerHalf ? rect.bottom - 2 : rect.top + 2;
  return MAKELPARAM((rect.left + rect.right) / 2, y);
}

}  // namespace

class ThumbnailOrderWin32 : public ThumbnailListWin32 {
 protected:
  void SetUp() override {
    ThumbnailListWin32::SetUp();
    a = Write(L"a.bmp", Bmp(64, 48, RGB(0, 0, 255)));
    b = Write(L"b.bmp", Bmp(64, 48, RGB(0, 255, 0)));
    c = Write(L"c.bmp", Bmp(64, 48, RGB(255, 0, 0)));
    for (const auto& path : {a, b, c}) ASSERT_GE(list.AddImage(path), 0);
    RunPostedMessages();
    ASSERT_EQ(ListCount(), 3);
  }
  std::wstring Order() const {
    std::wstring order;
    for (int i = 0; i < ListCount(); ++i) order += ItemText(listHandle, i);
    return order;
  }
  void Select(int item) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(listHandle, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(listHandle, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&state));
  }
  // NMITEMACTIVATE begins as the NMLISTVIEW of LVN_BEGINDRAG does.
  void BeginDrag(int item) { Notify(LVN_BEGINDRAG, item); }
  // The insertion mark shown: as the list view reports it where it has
  // one (Windows), else as it was asked to show it (Wine has none).
  win32::Win32ListView::DropMark Mark() const {
    const auto* view =
        static_cast<win32::Win32ListView*>(window->ListViewControl(IDC_THUMBNAILS));
    const win32::Win32ListView::DropMark asked = view->InsertMark();
    LVINSERTMARK mark{};
    mark.cbSize = sizeof mark;
    if (SendMessageW(listHandle, LVM_GETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark))) {
      EXPECT_EQ(mark.iItem, asked.item);
      EXPECT_EQ((mark.dwFlags & LVIM_AFTER) != 0, asked.after);
    }
    return asked;
  }

  std::u16string a, b, c;
};

TEST_F(ThumbnailOrderWin32, ADragShowsTheInsertionMarkAndDropsWhereItIs) {
  BeginDrag(2);
  EXPECT_EQ(GetCapture(), listHandle);
  // Escape ends the drag, not the dialog.
  MSG escape{listHandle, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_NE(SendMessageW(listHandle, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)) &
                DLGC_WANTALLKEYS,
            0);
  EXPECT_EQ(Mark().item, -1);
  SendMessageW(listHandle, WM_MOUSEMOVE, MK_LBUTTON, PointIn(listHandle, 0, false));
  EXPECT_EQ(Mark().item, 0);
  EXPECT_FALSE(Mark().after);
  SendMessageW(listHandle, WM_MOUSEMOVE, MK_LBUTTON, PointIn(listHandle, 1, true));
  EXPECT_EQ(Mark().item, 1);
  EXPECT_TRUE(Mark().after);
  SendMessageW(listHandle, WM_MOUSEMOVE, MK_LBUTTON, PointIn(listHandle, 0, false));
  SendMessageW(listHandle, WM_LBUTTONUP, 0, PointIn(listHandle, 0, false));
  EXPECT_EQ(Order(), L"cab");
  EXPECT_NE(GetCapture(), listHandle);
  EXPECT_EQ(Mark().item, -1);

  // Escape, or a drop outside the list, leaves the order as it was.
  BeginDrag(0);
  SendMessageW(listHandle, WM_MOUSEMOVE, MK_LBUTTON, PointIn(listHandle, 2, true));
  SendMessageW(listHandle, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_NE(GetCapture(), listHandle);
  EXPECT_EQ(Mark().item, -1);
  SendMessageW(listHandle, WM_LBUTTONUP, 0, PointIn(listHandle, 2, true));
  BeginDrag(0);
  SendMessageW(listHandle, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
  EXPECT_EQ(Order(), L"cab");

  // After the last item.
  BeginDrag(0);
  SendMessageW(listHandle, WM_LBUTTONUP, 0, PointIn(listHandle, 2, true));
  EXPECT_EQ(Order(), L"abc");

  // With the order fixed no drag starts.
  list.SetOrderFixed(true);
  BeginDrag(2);
  EXPECT_NE(GetCapture(), listHandle);
  SendMessageW(listHandle, WM_LBUTTONUP, 0, PointIn(listHandle, 0, false));
  EXPECT_EQ(Order(), L"abc");
}

TEST_F(ThumbnailOrderWin32, PicturesNoLongerNeededLeaveTheImageListAndTheRestKeepTheirs) {
  Select(0);
  Key(listHandle, VK_DELETE);
  EXPECT_EQ(ImageList_GetImageCount(Images()), 3);
  list.DeleteSetAsideFiles();
  EXPECT_EQ(ImageList_GetImageCount(Images()), 2);
  EXPECT_FALSE(Exists(a));
  const thumbnails::CellSize cell = list.ThumbnailSize();
  const COLORREF colours[] = {RGB(0, 255, 0), RGB(255, 0, 0)};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(PixelOfImage(Images(), ItemImageOf(listHandle, i), cell.width / 2, cell.height / 2),
              colours[i]);
  }
}
