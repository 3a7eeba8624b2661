// Win32Window: the dialog procedure and the dispatch of its messages to the
// handler, and the window itself: caption, showing, place, parent, icon,
// system menu and status bar. Its controls are Win32Controls.cpp's, the
// owner-drawn ones Win32OwnerDraw.cpp's, fonts, tips, names, the tab order
// and the click key Win32FontsAndTips.cpp's, the DPI Win32Dpi.cpp's and the
// list views Win32ListView.cpp's.
#include "platform/win32/Win32Window.h"

#include <commctrl.h>

#include "platform/win32/Win32ClickKeys.h"
#include "platform/win32/Win32ColorPalette.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Ui.h"

namespace win32 {

Win32Window::~Win32Window() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

INT_PTR CALLBACK Win32Window::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    reinterpret_cast<Win32Window*>(lParam)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;  // messages before WM_INITDIALOG
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    // No exception crosses into the window manager.
    return FALSE;
  }
}

INT_PTR Win32Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      AdoptDpi();
      handler_.AttachWindow(this);
      return handler_.OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (code == BN_CLICKED && lParam != 0 && PickColor(id)) return TRUE;
      if (id == IDCANCEL) {
        handler_.OnCancel();
      } else if (id == IDOK && lParam == 0) {
        handler_.OnOk();
      } else if (code == BN_CLICKED && lParam != 0 &&
                 (SendMessageW(reinterpret_cast<HWND>(lParam), WM_GETDLGCODE, 0, 0) &
                  (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON))) {
        handler_.OnCommand(id, platform::kNotifyClicked);
      } else if (code == CBN_SELCHANGE) {
        handler_.OnCommand(id, platform::kNotifySelectionChange);
      }
      return TRUE;
    }
    case WM_SYSCOMMAND:
      if (handler_.OnSysCommand(static_cast<uint32_t>(wParam))) {
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      // Record kinds are 32-bit; in a 64-bit process a wider dwData names no
      // kind and must not pass for the kind in its low half.
      const uint32_t kind = data != nullptr ? static_cast<uint32_t>(data->dwData) : 0;
      if (data != nullptr && kind == data->dwData) {
        handler_.OnCopyData(kind, data->lpData, data->cbData);
      }
      return FALSE;  // the default procedure answers
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (DrawPaletteItem(item) || DrawColorButton(item) || DrawColoredButton(item) ||
          DrawPicturePane(item)) {
        return TRUE;
      }
      return FALSE;
    }
    case WM_MEASUREITEM:
      return MeasurePaletteItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_HSCROLL:
    case WM_VSCROLL:
      // A slider sends these while it moves, with its own handle.
      if (lParam != 0) {
        handler_.OnCommand(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)),
                           platform::kNotifyPositionChange);
      }
      return TRUE;
    case WM_PAINT:
      if (!IsIconic(hwnd_)) return FALSE;
      PaintIconic();
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(bigIcon_);
    case WM_MOVING:
      handler_.OnMoving();
      return FALSE;
    case WM_MOVE:
      // WM_MOVING comes before each step of a drag: what follows the
      // window is put in its final place once the window is there.
      handler_.OnMoving();
      return FALSE;
    case WM_NOTIFY:
      RouteNotify(reinterpret_cast<const NMHDR*>(lParam));
      return FALSE;
    case WM_CONTEXTMENU:
      // The menu key or Shift+F10 in a list view: its menu, as a right
      // click opens it (a right click itself comes as NM_RCLICK).
      if (lParam == -1) {
        for (auto& entry : listViews_) {
          if (entry.second->Handle() == reinterpret_cast<HWND>(wParam)) {
            entry.second->OnMenuKey();
            return TRUE;
          }
        }
      }
      return FALSE;
    case WM_SETCURSOR:
      if (!ShowsWaitCursor()) return FALSE;
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_WINDOWPOSCHANGING:
      // A modal dialog is shown by the dialog manager the first time its
      // queue runs empty. One the program hid before that (Exit during the
      // first moments of a session) would come back by itself.
      if (hiddenByProgram_) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
      return FALSE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    case WM_DESTROY:
      handler_.OnDestroy();
      // A tip window belongs to the top-level window: a child window's goes
      // with it here.
      if (toolTip_ != nullptr) DestroyWindow(toolTip_);
      toolTip_ = nullptr;
      return FALSE;
    case WM_NCDESTROY:
      handler_.AttachWindow(nullptr);
      ForgetClickKeys(hwnd_);
      if (scaledFont_ != nullptr) DeleteObject(scaledFont_);
      scaledFont_ = nullptr;
      hwnd_ = nullptr;
      // The pictures go with the panes that showed them.
      panePictures_.clear();
      return FALSE;
    default:
      return FALSE;
  }
}

void Win32Window::SetCaption(const std::u16string& text) { SetWindowTextW(hwnd_, Wide(text)); }
std::u16string Win32Window::Caption() const { return WindowText(hwnd_); }
// A pop-up without caption floats over its owner (the merge preview): it
// shows without taking the activation, so the keyboard stays with the
// owner, and the capture key with it.
void Win32Window::Show(bool visible) {
  hiddenByProgram_ = !visible;
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  const bool floating = (style & WS_CHILD) == 0 && (style & WS_CAPTION) != WS_CAPTION;
  ShowWindow(hwnd_, !visible ? SW_HIDE : floating ? SW_SHOWNA : SW_SHOW);
}
bool Win32Window::IsVisible() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_); }
void Win32Window::EndModal(int result) { EndDialog(hwnd_, result); }

void Win32Window::Destroy() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

// A window handle has 32 significant bits in 64-bit processes too, so the
// 32-bit value the camera library takes carries it whole: the library
// sign-extends it back with LongToHandle. The 64-bit build exists to run the
// Windows tests; the shipped 32-bit build passes the handle unchanged.
int32_t Win32Window::NativeHandle() const { return HandleToLong(hwnd_); }

platform::Rect Win32Window::ClientRect() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return platform::Rect{rect.left, rect.top, rect.right, rect.bottom};
}

void Win32Window::MoveTo(const platform::Rect& rect) {
  MoveWindow(hwnd_, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

void Win32Window::SetParentWindow(platform::Window* parent) {
  SetParent(hwnd_, parent != nullptr ? static_cast<Win32Window*>(parent)->hwnd_ : nullptr);
}

void Win32Window::CenterWindow() {
  RECT window{};
  GetWindowRect(hwnd_, &window);
  RECT area{};
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner == nullptr || !IsWindowVisible(owner) || IsIconic(owner)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  } else {
    GetWindowRect(owner, &area);
  }
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const int left = area.left + ((area.right - area.left) - width) / 2;
  const int top = area.top + ((area.bottom - area.top) - height) / 2;
  SetWindowPos(hwnd_, nullptr, left > area.left ? left : area.left, top > area.top ? top : area.top,
               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetIcon(int iconResourceId) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  bigIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconResourceId), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON),
                                           GetSystemMetrics(SM_CYICON), LR_SHARED));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconResourceId),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

bool Win32Window::AppendSystemMenuItem(uint32_t command, const std::u16string& text) {
  HMENU menu = GetSystemMenu(hwnd_, FALSE);
  if (menu == nullptr) return false;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, command, Wide(text));
  return true;
}

bool Win32Window::CreateStatusBar(const platform::Rect& rect) {
  statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, rect.left,
                               rect.top, rect.Width(), rect.Height(), hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  return statusBar_ != nullptr;
}

// The status bar has one part: its window text is that part's text, which
// any process can read back.
void Win32Window::SetStatusText(const std::u16string& text) {
  if (statusBar_ != nullptr) SetWindowTextW(statusBar_, Wide(text));
}

void Win32Window::SetStatusBarState(bool enabled, bool visible) {
  if (statusBar_ == nullptr) return;
  EnableWindow(statusBar_, enabled);
  ShowWindow(statusBar_, visible ? SW_SHOW : SW_HIDE);
}

// A minimised window shows its icon centred in the client area.
void Win32Window::PaintIconic() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  SendMessageW(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, bigIcon_);
  EndPaint(hwnd_, &paint);
}

}  // namespace win32
