// Win32Window's fonts, tips and keyboard: the system's font names for a
// font list, the tip control, accessible names, the tab order and the
// click key.
#include "platform/win32/Win32Window.h"

#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/Win32AccessibleName.h"
#include "platform/win32/Win32ClickKeys.h"
#include "platform/win32/Win32DroppedList.h"

namespace win32 {
namespace {

// Face names of one device context's fonts; vertical variants ("@Name") are
// left out.
int CALLBACK CollectFontName(const LOGFONTW* font, const TEXTMETRICW* /*metrics*/,
                             DWORD /*fontType*/, LPARAM names) {
  if (font->lfFaceName[0] != L'\0' && font->lfFaceName[0] != L'@') {
    reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(font->lfFaceName);
  }
  return 1;
}

void CollectFontNames(HDC dc, std::vector<std::wstring>& names) {
  LOGFONTW every{};
  every.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(dc, &every, CollectFontName, reinterpret_cast<LPARAM>(&names), 0);
}

// Device fonts live in the printer: the default printer's are listed too.
void CollectPrinterFontNames(std::vector<std::wstring>& names) {
  DWORD length = 0;
  GetDefaultPrinterW(nullptr, &length);
  if (length == 0) return;
  std::wstring printer(length, L'\0');
  if (!GetDefaultPrinterW(printer.data(), &length)) return;
  HDC dc = CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr);
  if (dc == nullptr) return;
  CollectFontNames(dc, names);
  DeleteDC(dc);
}

}  // namespace

// The names go into the list in its own order (the font list sorts).
void Win32Window::AddSystemFontNames(int id) {
  HWND list = Item(id);
  if (list == nullptr) return;
  std::vector<std::wstring> names;
  HDC screen = GetDC(hwnd_);
  if (screen != nullptr) {
    CollectFontNames(screen, names);
    ReleaseDC(hwnd_, screen);
  }
  CollectPrinterFontNames(names);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  for (const std::wstring& name : names) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  FitDroppedList(list, dpi_);
}

void Win32Window::SetClickKey(int virtualKey, int controlId) {
  win32::SetClickKey(hwnd_, virtualKey, controlId);
}

// One tip control per window, showing the tip of whichever of its tools the
// mouse rests on; the tools are the windows themselves (TTF_IDISHWND), which
// the control watches (TTF_SUBCLASS).
void Win32Window::SetToolTip(int id, const std::u16string& text) {
  HWND tool = Target(id);
  if (tool == nullptr) return;
  if (toolTip_ == nullptr) {
    if (text.empty()) return;
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (toolTip_ == nullptr) return;
  }
  std::wstring copy(text.begin(), text.end());
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = hwnd_;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = copy.data();
  TOOLINFOW known = info;
  known.lpszText = nullptr;
  const bool exists = SendMessageW(toolTip_, TTM_GETTOOLINFOW, 0,
                                   reinterpret_cast<LPARAM>(&known)) != FALSE;
  if (text.empty()) {
    if (exists) SendMessageW(toolTip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  } else if (exists) {
    SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  } else {
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void Win32Window::SetAccessibleName(int id, const std::u16string& name) {
  win32::SetAccessibleName(Target(id), std::wstring(name.begin(), name.end()));
}

// Tab follows the order of the controls among the window's children: the
// ordered ones go to the top, one after the other. Each starts a group of
// its own, so that the arrow keys stay within a control, except radio
// buttons that follow one another, which form one group.
void Win32Window::SetTabOrder(const std::vector<int>& ids) {
  HWND previous = HWND_TOP;
  bool previousIsRadio = false;
  for (int id : ids) {
    HWND control = Item(id);
    if (control == nullptr) continue;
    SetWindowPos(control, previous, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    const bool isRadio = (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    const LONG_PTR group = static_cast<LONG_PTR>(WS_GROUP);
    SetWindowLongPtrW(control, GWL_STYLE,
                      isRadio && previousIsRadio ? (style & ~group) : (style | group));
    previous = control;
    previousIsRadio = isRadio;
  }
}

}  // namespace win32
