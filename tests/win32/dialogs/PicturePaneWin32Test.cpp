// The merge preview's panes on real windows: a picture decoded by GDI+ is
// painted by the owner-drawn pane fitted on black with halftone stretching,
// an empty pane paints white, and every bitmap is deleted once it is no
// longer shown.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialogs/CMergePreviewDlg.h"
#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Link.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/WindowsHeaders.h"
#include "resource.h"

#include "win32/support/TestPictures.h"

namespace {

constexpr int kPane = 100;

// A file in this process's own folder under the temp folder.
std::u16string TempFile(const std::wstring& name) {
  return win32_test_support::TempFile(L"prismel-panes", name);
}

using win32_test_support::Bmp;
using win32_test_support::WriteBytes;

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

const COLORREF kRed = RGB(200, 30, 30);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

class PicturePaneWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.InitCommonControls();
    ASSERT_TRUE(preview.Create(nullptr));
    preview.Window()->MoveControl(IDC_MERGE_FIRST_PANE, {0, 0, kPane, kPane});
  }

  HWND PreviewHandle() { return static_cast<win32::Win32Window*>(preview.Window())->Handle(); }
  HBITMAP ShownBitmap() {
    const auto* window = static_cast<win32::Win32Window*>(preview.Window());
    const auto* picture =
        static_cast<const win32::Win32Picture*>(window->PanePicture(IDC_MERGE_FIRST_PANE));
    return picture != nullptr ? picture->Bitmap() : nullptr;
  }

  // Has the pane draw itself, as for WM_PAINT, into a 32-bit bitmap of its
  // size, and returns the colour at (x, y).
  COLORREF PaintedAt(int x, int y) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kPane;
    info.bmiHeader.biHeight = -kPane;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP surface = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, surface);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = IDC_MERGE_FIRST_PANE;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = GetDlgItem(PreviewHandle(), IDC_MERGE_FIRST_PANE);
    item.hDC = dc;
    item.rcItem = RECT{0, 0, kPane, kPane};
    SendMessageW(PreviewHandle(), WM_DRAWITEM, IDC_MERGE_FIRST_PANE,
                 reinterpret_cast<LPARAM>(&item));
    GdiFlush();
    const uint32_t pixel = static_cast<const uint32_t*>(bits)[y * kPane + x];
    SelectObject(dc, old);
    DeleteObject(surface);
    DeleteDC(dc);
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

  win32::Win32Os os;
  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  win32::Win32Link link;
  win32::Win32Imaging imaging;
  platform::Platform platform{os, ui, link, imaging};
  CMergePreviewDlg preview{platform};
};

}  // namespace

TEST_F(PicturePaneWin32Test, AnEmptyPaneIsWhite) {
  EXPECT_TRUE(Near(PaintedAt(0, 0), kWhite));
  EXPECT_TRUE(Near(PaintedAt(50, 50), kWhite));
}

TEST_F(PicturePaneWin32Test, AFourByThreePictureFillsTheWidthWithBlackBandsAboveAndBelow) {
  const std::u16string path = TempFile(L"wide.bmp");
  ASSERT_TRUE(WriteBytes(path, Bmp(40, 30, kRed)));
  ASSERT_EQ(preview.FirstPane().SetPicture(path), 0);
  EXPECT_EQ(preview.FirstPane().PictureWidth(), 40);
  EXPECT_EQ(preview.FirstPane().PictureHeight(), 30);
  // 75 rows of picture from row 12.
  EXPECT_TRUE(Near(PaintedAt(50, 2), kBlack));
  EXPECT_TRUE(Near(PaintedAt(50, 10), kBlack));
  EXPECT_TRUE(Near(PaintedAt(1, 50), kRed));
  EXPECT_TRUE(Near(PaintedAt(98, 50), kRed));
  EXPECT_TRUE(Near(PaintedAt(50, 14), kRed));
  EXPECT_TRUE(Near(PaintedAt(50, 84), kRed));
  EXPECT_TRUE(Near(PaintedAt(50, 89), kBlack));
  EXPECT_TRUE(Near(PaintedAt(50, 98), kBlack));
}

TEST_F(PicturePaneWin32Test, ADeletedFileShowsWhiteAndItsBitmapIsGone) {
  const std::u16string path = TempFile(L"gone.bmp");
  ASSERT_TRUE(WriteBytes(path, Bmp(30, 30, kRed)));
  ASSERT_EQ(preview.FirstPane().SetPicture(path), 0);
  const HBITMAP shown = ShownBitmap();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(GetObjectType(shown), static_cast<DWORD>(OBJ_BITMAP));
  // The file is free to go while the pane shows it.
  ASSERT_TRUE(DeleteFileW(reinterpret_cast<const wchar_t*>(path.c_str())));
  EXPECT_EQ(preview.FirstPane().SetPicture(path), -1);
  EXPECT_EQ(GetObjectType(shown), 0u);
  EXPECT_TRUE(Near(PaintedAt(50, 50), kWhite));
}

TEST_F(PicturePaneWin32Test, FilesThatAreNoUsablePictureLeaveThePaneEmpty) {
  const std::u16string text = TempFile(L"text.bmp");
  const std::u16string flat = TempFile(L"flat.bmp");
  const std::u16string huge = TempFile(L"huge.bmp");
  ASSERT_TRUE(WriteBytes(text, "this is no picture"));
  ASSERT_TRUE(WriteBytes(flat, Bmp(10, 0, kRed, false)));
  ASSERT_TRUE(WriteBytes(huge, Bmp(20000, 20000, kRed, false)));
  for (const std::u16string& path : {text, flat, huge}) {
    EXPECT_EQ(preview.FirstPane().SetPicture(path), -1);
    EXPECT_EQ(ShownBitmap(), nullptr);
    EXPECT_TRUE(Near(PaintedAt(50, 50), kWhite));
  }
}

TEST_F(PicturePaneWin32Test, EveryReplacedBitmapIsDeletedAndTheLastGoesWithTheWindow) {
  const std::u16string path = TempFile(L"pair.bmp");
  ASSERT_TRUE(WriteBytes(path, Bmp(32, 24, kRed)));
  HBITMAP previous = nullptr;
  for (int shot = 0; shot < 50; ++shot) {
    ASSERT_EQ(preview.FirstPane().SetPicture(path), 0);
    const HBITMAP shown = ShownBitmap();
    ASSERT_NE(shown, nullptr);
    if (previous != nullptr && previous != shown) {
      EXPECT_EQ(GetObjectType(previous), 0u);
    }
    previous = shown;
  }
  preview.Destroy();
  EXPECT_EQ(GetObjectType(previous), 0u);
}
