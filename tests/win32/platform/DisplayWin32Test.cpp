// What the window shows of itself on real windows: a move to a monitor of
// another DPI scales the controls, their font and the status bar before the
// handler hears of it; a drop-down list opens as wide as its longest item;
// the wait cursor shows while the UI thread is busy.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "resource.h"
#include "win32/support/RecordingDialog.h"

namespace {

class DisplayWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.InitCommonControls();
    window = ui.CreateModeless(IDD_CAPTURE_WINDOW, capture, nullptr);
    ASSERT_NE(window, nullptr);
    hwnd = static_cast<win32::Win32Window*>(window.get())->Handle();
  }
  void TearDown() override {
    if (window != nullptr) window->Destroy();
  }

  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  win32_test::RecordingDialog capture;
  std::unique_ptr<platform::Window> window;
  HWND hwnd = nullptr;
};

LONG FontHeight(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return std::labs(font.lfHeight);
}

bool Near(int a, int b) { return std::abs(a - b) <= 1; }

// A drop-down list's field and its list, one under the other.
int FieldAndListHeight(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  RECT field{}, list{};
  if (!GetComboBoxInfo(combo, &info) || !GetWindowRect(combo, &field) ||
      !GetWindowRect(info.hwndList, &list)) {
    return 0;
  }
  return (field.bottom - field.top) + (list.bottom - list.top);
}

// The width of `text` in the list's own font, measured here.
int TextWidthIn(HWND list, const wchar_t* text) {
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  return static_cast<int>(size.cx);
}

int WindowWidth(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  return rect.right - rect.left;
}

}  // namespace

// The open list as wide as the list's longest item needs, with its border
// and a vertical scroll bar, or as the control; after a move to another DPI
// for the longest item in the new font.
TEST_F(DisplayWin32Test, AnOpenListShowsItsLongestItemWholeAtEveryDpi) {
  const HWND sizes = GetDlgItem(hwnd, IDC_FRAME_SIZE);
  const std::u16string longItem = u"1920x1080(HD-1080) and a long tail";
  const auto roomForLongItem = [&] {
    return TextWidthIn(sizes, reinterpret_cast<const wchar_t*>(longItem.c_str())) + 2 +
           GetSystemMetrics(SM_CXVSCROLL);
  };
  ASSERT_EQ(window->DroppedListWidth(IDC_FRAME_SIZE), WindowWidth(sizes));
  window->AddItem(IDC_FRAME_SIZE, u"640x480(VGA)");
  EXPECT_EQ(window->DroppedListWidth(IDC_FRAME_SIZE), WindowWidth(sizes));
  window->InsertItem(IDC_FRAME_SIZE, 0, longItem);
  const int open = window->DroppedListWidth(IDC_FRAME_SIZE);
  EXPECT_GT(open, roomForLongItem());
  EXPECT_LE(open, roomForLongItem() + 12);
  EXPECT_EQ(SendMessageW(sizes, CB_GETDROPPEDWIDTH, 0, 0), open);

  window->ClearItems(IDC_FRAME_SIZE);
  EXPECT_EQ(window->DroppedListWidth(IDC_FRAME_SIZE), WindowWidth(sizes));
  window->AddItem(IDC_FRAME_SIZE, longItem);

  RECT frame{};
  GetWindowRect(hwnd, &frame);
  const RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                       frame.top + (frame.bottom - frame.top) * 3 / 2};
  const int larger = window->Dpi() * 3 / 2;
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(larger, larger),
               reinterpret_cast<LPARAM>(&suggested));
  const int openLarger = window->DroppedListWidth(IDC_FRAME_SIZE);
  EXPECT_GT(openLarger, roomForLongItem());
  EXPECT_GT(openLarger, open * 5 / 4);
  // Not a drop-down list.
  EXPECT_EQ(window->DroppedListWidth(IDC_PREVIEW_AREA), 0);
}

TEST_F(DisplayWin32Test, AMoveToHalfAsManyDotsAgainScalesControlsFontAndStatusBar) {
  const platform::Rect client = window->ClientRect();
  ASSERT_TRUE(window->CreateStatusBar({0, client.bottom - 20, client.right, client.bottom}));
  const int dpi = window->Dpi();
  const platform::Rect area = window->ControlRect(IDC_PREVIEW_AREA);
  const HWND rotate = GetDlgItem(hwnd, IDC_ROTATE);
  const int dropped = FieldAndListHeight(rotate);
  const LONG font = FontHeight(rotate);
  RECT frame{};
  GetWindowRect(hwnd, &frame);
  const RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                       frame.top + (frame.bottom - frame.top) * 3 / 2};

  const int larger = dpi * 3 / 2;
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(larger, larger),
               reinterpret_cast<LPARAM>(&suggested));

  const platform::Rect scaled = window->ControlRect(IDC_PREVIEW_AREA);
  EXPECT_TRUE(Near(scaled.left, area.left * 3 / 2) && Near(scaled.top, area.top * 3 / 2) &&
              Near(scaled.right, area.right * 3 / 2) && Near(scaled.bottom, area.bottom * 3 / 2));
  // Both parts grow with the font and the window; the list shows whole
  // items only, so it may lose part of one.
  const int droppedNow = FieldAndListHeight(rotate);
  EXPECT_LE(droppedNow, dropped * 3 / 2 + 1);
  EXPECT_GE(droppedNow, dropped * 5 / 4);
  EXPECT_TRUE(Near(FontHeight(rotate), font * 3 / 2));
  RECT windowNow{};
  GetWindowRect(hwnd, &windowNow);
  EXPECT_EQ(windowNow.right - windowNow.left, suggested.right - suggested.left);
  // The status bar stays along the bottom edge.
  const HWND bar = FindWindowExW(hwnd, nullptr, STATUSCLASSNAMEW, nullptr);
  RECT barRect{};
  GetWindowRect(bar, &barRect);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&barRect), 2);
  EXPECT_EQ(barRect.bottom, window->ClientRect().bottom);
  EXPECT_EQ(capture.dpiChanges, 1);
}

TEST_F(DisplayWin32Test, TheWaitCursorShowsUntilTheLastBusyScopeEnds) {
  const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  {
    platform::BusyScope outer(ui);
    EXPECT_EQ(GetCursor(), wait);
    { platform::BusyScope inner(ui); }
    EXPECT_EQ(GetCursor(), wait);
    // The mouse moving over the window keeps it.
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_TRUE(SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), wait);
  }
  EXPECT_NE(GetCursor(), wait);
  EXPECT_FALSE(SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) &&
               GetCursor() == wait);
}
