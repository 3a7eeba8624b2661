// What the Windows tests of the window wrapper share: a dialog handler that
// records what reaches it, a window's handle, the message loop of a
// modeless dialog, keys as the system queues them, a list view item's
// bounds, a move to another DPI, the capture window opened modeless, and a
// pixel of what a control draws.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Ui.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/WindowsHeaders.h"
#include "resource.h"

// After the platform's headers, which bring in <windows.h>.
#include <commctrl.h>

namespace win32_test {

struct RecordingDialog : platform::DialogHandler {
  bool OnInitDialog() override { return true; }
  void OnCommand(int controlId, int notifyCode) override {
    commands.emplace_back(controlId, notifyCode);
  }
  std::vector<std::pair<int, int>> commands;
};

inline HWND Handle(platform::Window& window) {
  return static_cast<win32::Win32Window&>(window).Handle();
}

// Handles every message waiting for this thread, as a program's loop with
// modeless dialogs does.
inline void HandleWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    HWND dialog = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (dialog != nullptr && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A key pressed and released on `control` as the system queues it: the
// key-down, `repeats` more key-downs while it is held, the key-up.
inline void PressKey(HWND control, WPARAM key, int repeats = 0) {
  const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), 0)) << 16;
  PostMessageW(control, WM_KEYDOWN, key, scanCode | 1);
  for (int i = 0; i < repeats; ++i) {
    PostMessageW(control, WM_KEYDOWN, key, scanCode | 1 | (LPARAM{1} << 30));
  }
  PostMessageW(control, WM_KEYUP, key, scanCode | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
  HandleWaitingMessages();
}

// Whether `control` keeps `key` for itself rather than leaving it to the
// dialog (Enter to the default button, Escape to Cancel).
inline bool WantsAllKeys(HWND control, WPARAM key) {
  MSG message{control, WM_KEYDOWN, key, 0, 0, {}};
  const LRESULT code =
      SendMessageW(control, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message));
  return (code & DLGC_WANTALLKEYS) != 0;
}

// The bounds of a list view's item, in the list's client coordinates.
inline RECT ItemBounds(HWND list, int item) {
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&bounds));
  return bounds;
}

// Tells `window` that it moved from `from` to `dpi` dots per inch, with the
// frame the system suggests: the present one scaled from its top-left
// corner, which is returned.
inline RECT MoveToDpi(HWND window, int from, int dpi) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const RECT suggested{frame.left, frame.top,
                       frame.left + MulDiv(frame.right - frame.left, dpi, from),
                       frame.top + MulDiv(frame.bottom - frame.top, dpi, from)};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  return suggested;
}

// The colour at (x, y) of what `draw` paints into a 32-bit bitmap of this
// size.
inline COLORREF PixelDrawn(int width, int height, int x, int y,
                           const std::function<void(HDC)>& draw) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP surface = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, surface);
  draw(dc);
  GdiFlush();
  const COLORREF pixel = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(surface);
  DeleteDC(dc);
  return pixel;
}

// The capture window's template opened modeless with a recording handler;
// the window goes with the test.
class CaptureWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.InitCommonControls();
    window = ui.CreateModeless(IDD_CAPTURE_WINDOW, handler, nullptr);
    ASSERT_NE(window, nullptr);
    hwnd = Handle(*window);
  }

  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  RecordingDialog handler;
  std::unique_ptr<platform::Window> window;
  HWND hwnd = nullptr;
};

}  // namespace win32_test
