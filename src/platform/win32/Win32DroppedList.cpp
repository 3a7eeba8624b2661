#include "platform/win32/Win32DroppedList.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/Ui.h"

namespace win32 {
namespace {

// Pixels at 96 DPI beside an item's text on either side, and the list box's
// border (one pixel at any DPI).
constexpr int kItemMargin = 3;
constexpr int kListBorder = 1;

int ScrollBarWidth(int dpi) {
  using ForDpiFunction = int(WINAPI*)(int, UINT);
  static const auto forDpi = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 != nullptr ? reinterpret_cast<ForDpiFunction>(reinterpret_cast<void*>(
                                   GetProcAddress(user32, "GetSystemMetricsForDpi")))
                             : nullptr;
  }();
  return forDpi != nullptr ? forDpi(SM_CXVSCROLL, static_cast<UINT>(dpi))
                           : GetSystemMetrics(SM_CXVSCROLL);
}

// The open list's width that shows text `width` pixels wide whole.
int ListWidthFor(int width, int dpi) {
  return width + 2 * platform::ScaleForDpi(kItemMargin, dpi) + 2 * kListBorder +
         ScrollBarWidth(dpi);
}

// Measures texts in the list's font.
class ListFont {
 public:
  explicit ListFont(HWND list) : list_(list), dc_(GetDC(list)) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    if (dc_ != nullptr && font != nullptr) old_ = SelectObject(dc_, font);
  }
  ~ListFont() {
    if (dc_ == nullptr) return;
    if (old_ != nullptr) SelectObject(dc_, old_);
    ReleaseDC(list_, dc_);
  }
  ListFont(const ListFont&) = delete;
  ListFont& operator=(const ListFont&) = delete;

  int Width(const wchar_t* text) const {
    SIZE size{};
    if (dc_ == nullptr || !GetTextExtentPoint32W(dc_, text, lstrlenW(text), &size)) return 0;
    return static_cast<int>(size.cx);
  }

 private:
  HWND list_;
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

bool IsDropDownList(HWND control) {
  wchar_t name[16] = {};
  return control != nullptr && GetClassNameW(control, name, 16) > 0 &&
         lstrcmpiW(name, WC_COMBOBOXW) == 0;
}

void WidenDroppedList(HWND list, const wchar_t* item, int dpi) {
  if (!IsDropDownList(list)) return;
  const int wanted = ListWidthFor(ListFont(list).Width(item), dpi);
  if (wanted > SendMessageW(list, CB_GETDROPPEDWIDTH, 0, 0)) {
    SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(wanted), 0);
  }
}

void FitDroppedList(HWND list, int dpi) {
  if (!IsDropDownList(list)) return;
  const ListFont font(list);
  int widest = 0;
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length <= 0) continue;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    if (SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data())) <= 0) {
      continue;
    }
    widest = std::max(widest, font.Width(text.c_str()));
  }
  // A width below the control's makes the open list as wide as the control
  // (0 would leave the last width in place).
  const int wanted = count > 0 ? ListWidthFor(widest, dpi) : 1;
  SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(wanted), 0);
}

}  // namespace win32
