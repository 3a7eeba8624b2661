#include "platform/win32/Win32Window.h"

#include <string>

namespace win32 {
namespace {

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string WindowText(HWND hwnd) {
  if (hwnd == nullptr) return {};
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()),
                        static_cast<size_t>(copied > 0 ? copied : 0));
}

}  // namespace

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
      handler_.AttachWindow(this);
      return handler_.OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
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
      if (data != nullptr) {
        handler_.OnCopyData(static_cast<uint32_t>(data->dwData), data->lpData, data->cbData);
      }
      return FALSE;  // the default procedure answers
    }
    case WM_NOTIFY:
      RouteNotify(reinterpret_cast<const NMHDR*>(lParam));
      return FALSE;
    case WM_DESTROY:
      handler_.OnDestroy();
      return FALSE;
    case WM_NCDESTROY:
      handler_.AttachWindow(nullptr);
      hwnd_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void Win32Window::SetCaption(const std::u16string& text) { SetWindowTextW(hwnd_, Wide(text)); }
std::u16string Win32Window::Caption() const { return WindowText(hwnd_); }
void Win32Window::Show(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
bool Win32Window::IsVisible() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_); }
void Win32Window::EndModal(int result) { EndDialog(hwnd_, result); }

void Win32Window::Destroy() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

int32_t Win32Window::NativeHandle() const {
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(hwnd_));
}

void Win32Window::SetText(int id, const std::u16string& text) {
  SetWindowTextW(Item(id), Wide(text));
}
std::u16string Win32Window::Text(int id) const { return WindowText(Item(id)); }
void Win32Window::Enable(int id, bool enabled) { EnableWindow(Item(id), enabled); }
bool Win32Window::IsEnabled(int id) const {
  HWND item = Item(id);
  return item != nullptr && IsWindowEnabled(item);
}
void Win32Window::ShowControl(int id, bool visible) {
  ShowWindow(Item(id), visible ? SW_SHOW : SW_HIDE);
}
bool Win32Window::IsControlVisible(int id) const {
  HWND item = Item(id);
  return item != nullptr && (GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE) != 0;
}
void Win32Window::SetChecked(int id, bool checked) {
  SendMessageW(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
bool Win32Window::IsChecked(int id) const {
  return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

platform::Rect Win32Window::ControlRect(int id) const {
  HWND item = Item(id);
  RECT rect{};
  if (item == nullptr || !GetWindowRect(item, &rect)) return {};
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
  return platform::Rect{rect.left, rect.top, rect.right, rect.bottom};
}

void Win32Window::ClearItems(int id) { SendMessageW(Item(id), CB_RESETCONTENT, 0, 0); }

int Win32Window::AddItem(int id, const std::u16string& text) {
  return static_cast<int>(
      SendMessageW(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text))));
}

int Win32Window::InsertItem(int id, int index, const std::u16string& text) {
  return static_cast<int>(
      SendMessageW(Item(id), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Wide(text))));
}

int Win32Window::ItemCount(int id) const {
  const LRESULT count = SendMessageW(Item(id), CB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<int>(count) : 0;
}

std::u16string Win32Window::ItemText(int id, int index) const {
  HWND item = Item(id);
  const LRESULT length = SendMessageW(item, CB_GETLBTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(item, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  if (copied <= 0) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), static_cast<size_t>(copied));
}

void Win32Window::SetSelection(int id, int index) { SendMessageW(Item(id), CB_SETCURSEL, index, 0); }

int Win32Window::Selection(int id) const {
  return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
}

}  // namespace win32
