// Win32Window's DPI: the monitor's, and a move to a monitor of another DPI,
// where the window scales its controls, their font and the status bar
// itself.
#include "platform/win32/Win32Window.h"

#include <utility>
#include <vector>

#include "platform/win32/Win32DroppedList.h"

namespace win32 {
namespace {

// Functions of newer systems, looked up so that the program still starts
// where they are missing.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 != nullptr
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
             : nullptr;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : platform::kDefaultDpi;
}

int DpiOf(HWND hwnd) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && hwnd != nullptr) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

// The window scales its controls itself on a change of DPI (OnDpiChanged),
// the same way wherever it runs: the dialog manager's own scaling of
// per-monitor aware dialogs is switched off so that nothing scales twice.
void KeepDialogManagerFromScaling(HWND dialog) {
  using SetBehaviorFunction = BOOL(WINAPI*)(HWND, int, int);
  static const auto setBehavior =
      User32Function<SetBehaviorFunction>("SetDialogDpiChangeBehavior");
  constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
  if (setBehavior != nullptr) (void)setBehavior(dialog, kDisableAll, kDisableAll);
}

int ScaledBy(int value, int from, int to) { return MulDiv(value, to, from); }

}  // namespace

void Win32Window::AdoptDpi() {
  dpi_ = DpiOf(hwnd_);
  KeepDialogManagerFromScaling(hwnd_);
}

int Win32Window::Dpi() const { return hwnd_ != nullptr ? DpiOf(hwnd_) : SystemDpi(); }

void Win32Window::OnDpiChanged(int dpi, const RECT& suggested) {
  const int from = dpi_ > 0 ? dpi_ : platform::kDefaultDpi;
  if (dpi > 0 && dpi != from) {
    // The font first: a list box measures its items by it.
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    HFONT scaled = nullptr;
    if (font != nullptr && GetObjectW(font, sizeof description, &description) != 0) {
      description.lfHeight = ScaledBy(description.lfHeight, from, dpi);
      description.lfWidth = ScaledBy(description.lfWidth, from, dpi);
      scaled = CreateFontIndirectW(&description);
    }
    std::vector<std::pair<HWND, RECT>> places;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      RECT rect{};
      GetWindowRect(child, &rect);
      // A drop-down list's window is as high as its field and its list
      // together: what it was created with, and what it is given.
      COMBOBOXINFO combo{};
      combo.cbSize = sizeof combo;
      RECT list{};
      if (GetComboBoxInfo(child, &combo) && combo.hwndList != nullptr &&
          GetWindowRect(combo.hwndList, &list)) {
        rect.bottom += list.bottom - list.top;
      }
      MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
      places.emplace_back(child, RECT{ScaledBy(rect.left, from, dpi), ScaledBy(rect.top, from, dpi),
                                      ScaledBy(rect.right, from, dpi),
                                      ScaledBy(rect.bottom, from, dpi)});
    }
    if (scaled != nullptr) {
      SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
      for (const auto& place : places) {
        SendMessageW(place.first, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
      }
      if (scaledFont_ != nullptr) DeleteObject(scaledFont_);
      scaledFont_ = scaled;
    }
    for (const auto& [child, rect] : places) {
      SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    dpi_ = dpi;
    // The open lists follow their items in the new font.
    for (const auto& place : places) FitDroppedList(place.first, dpi_);
  }
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (statusBar_ != nullptr) {
    // Along the bottom edge of the new client area, at its scaled height.
    RECT client{};
    RECT bar{};
    GetClientRect(hwnd_, &client);
    GetWindowRect(statusBar_, &bar);
    const int height = bar.bottom - bar.top;
    SetWindowPos(statusBar_, nullptr, 0, client.bottom - height, client.right, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
  handler_.OnDpiChanged();
}

}  // namespace win32
