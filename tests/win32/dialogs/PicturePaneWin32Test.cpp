// The merge preview's panes on real windows: a picture is painted by the
// owner-drawn pane fitted on black with halftone stretching, an empty pane
// paints white, and every bitmap is deleted once it is no longer shown.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "dialogs/CMergePreviewDlg.h"
#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Link.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/WindowsHeaders.h"
#include "resource.h"
#include "support/MadePictures.h"
#include "support/TestFolder.h"
#include "win32/support/RecordingDialog.h"

namespace {

constexpr int kPane = 100;

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

  // A red picture of this size in the test's folder.
  std::u16string RedPicture(const char* name, int width, int height) {
    const std::filesystem::path file = folder.Path() / name;
    EXPECT_TRUE(testing_support::WriteSolidPicture(file, width, height, {200, 30, 30}));
    return file.u16string();
  }
  HWND PreviewHandle() { return win32_test::Handle(*preview.Window()); }
  HBITMAP ShownBitmap() {
    const auto* window = static_cast<win32::Win32Window*>(preview.Window());
    const auto* picture =
        static_cast<const win32::Win32Picture*>(window->PanePicture(IDC_MERGE_FIRST_PANE));
    return picture != nullptr ? picture->Bitmap() : nullptr;
  }

  // Has the pane draw itself, as for WM_PAINT, into a 32-bit bitmap of its
  // size, and returns the colour at (x, y).
  COLORREF PaintedAt(int x, int y) {
    return win32_test::PixelDrawn(kPane, kPane, x, y, [this](HDC dc) {
      DRAWITEMSTRUCT item{};
      item.CtlType = ODT_STATIC;
      item.CtlID = IDC_MERGE_FIRST_PANE;
      item.itemAction = ODA_DRAWENTIRE;
      item.hwndItem = GetDlgItem(PreviewHandle(), IDC_MERGE_FIRST_PANE);
      item.hDC = dc;
      item.rcItem = RECT{0, 0, kPane, kPane};
      SendMessageW(PreviewHandle(), WM_DRAWITEM, IDC_MERGE_FIRST_PANE,
                   reinterpret_cast<LPARAM>(&item));
    });
  }

  testing_support::TestFolder folder;
  win32::Win32Os os;
  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  win32::Win32Link link;
  win32::Win32Imaging imaging;
  platform::Platform platform{os, ui, link, imaging};
  CMergePreviewDlg preview{platform};
};

}  // namespace

TEST_F(PicturePaneWin32Test, AFourByThreePictureFillsTheWidthOnBlackAndAnEmptyPaneIsWhite) {
  EXPECT_TRUE(Near(PaintedAt(50, 50), kWhite));
  ASSERT_EQ(preview.FirstPane().SetPicture(RedPicture("wide.bmp", 40, 30)), 0);
  // 75 rows of picture from row 12.
  for (const auto& [x, y, colour] :
       {std::tuple{50, 2, kBlack}, std::tuple{50, 10, kBlack}, std::tuple{1, 50, kRed},
        std::tuple{98, 50, kRed}, std::tuple{50, 14, kRed}, std::tuple{50, 84, kRed},
        std::tuple{50, 89, kBlack}, std::tuple{50, 98, kBlack}}) {
    EXPECT_TRUE(Near(PaintedAt(x, y), colour)) << x << "," << y;
  }
}

// The file is free to go while the pane shows it; what is no usable picture
// leaves the pane empty, and every bitmap no longer shown is deleted.
TEST_F(PicturePaneWin32Test, EveryBitmapNoLongerShownIsDeletedAndTheLastGoesWithTheWindow) {
  const std::u16string path = RedPicture("pair.bmp", 32, 24);
  const std::u16string text = folder.WriteFile("text.bmp", "this is no picture").u16string();
  const std::u16string huge =
      folder.WriteFile("huge.bmp", testing_support::BmpHeaderOnly(20000, 20000)).u16string();
  HBITMAP previous = nullptr;
  for (int shot = 0; shot < 20; ++shot) {
    ASSERT_EQ(preview.FirstPane().SetPicture(path), 0);
    EXPECT_TRUE(previous == nullptr || previous == ShownBitmap() || !GetObjectType(previous));
    previous = ShownBitmap();
  }
  for (const std::u16string& unusable : {text, huge}) {
    EXPECT_EQ(preview.FirstPane().SetPicture(unusable), -1);
    EXPECT_EQ(ShownBitmap(), nullptr);
    EXPECT_TRUE(Near(PaintedAt(50, 50), kWhite));
  }
  EXPECT_EQ(GetObjectType(previous), 0u);
  ASSERT_EQ(preview.FirstPane().SetPicture(path), 0);
  previous = ShownBitmap();
  ASSERT_TRUE(DeleteFileW(reinterpret_cast<const wchar_t*>(path.c_str())));
  EXPECT_EQ(GetObjectType(previous), static_cast<DWORD>(OBJ_BITMAP));
  preview.Destroy();
  EXPECT_EQ(GetObjectType(previous), 0u);
}
