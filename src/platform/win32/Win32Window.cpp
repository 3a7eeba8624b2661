#include "platform/win32/Win32Window.h"

#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/Win32AccessibleName.h"
#include "platform/win32/Win32ClickKeys.h"
#include "platform/win32/Win32ColorPalette.h"
#include "platform/win32/Win32DroppedList.h"
#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Ui.h"

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
      dpi_ = DpiOf(hwnd_);
      KeepDialogManagerFromScaling(hwnd_);
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

platform::Rect Win32Window::ControlScreenRect(int id) const {
  RECT rect{};
  HWND item = Item(id);
  if (item == nullptr || !GetWindowRect(item, &rect)) return {};
  return platform::Rect{rect.left, rect.top, rect.right, rect.bottom};
}

void Win32Window::MoveControl(int id, const platform::Rect& clientRect) {
  MoveWindow(Item(id), clientRect.left, clientRect.top, clientRect.Width(), clientRect.Height(),
             TRUE);
}

// The button becomes owner-drawn so that its face and text take the colours.
void Win32Window::SetButtonColors(int id, uint32_t faceColor, uint32_t textColor) {
  HWND item = Item(id);
  if (item == nullptr) return;
  const LONG_PTR style = GetWindowLongPtrW(item, GWL_STYLE);
  SetWindowLongPtrW(item, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
  bool known = false;
  for (ColoredButton& button : coloredButtons_) {
    if (button.id != id) continue;
    button.face = faceColor;
    button.text = textColor;
    known = true;
  }
  if (!known) coloredButtons_.push_back(ColoredButton{id, faceColor, textColor});
  InvalidateRect(item, nullptr, TRUE);
}

bool Win32Window::DrawColoredButton(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return false;
  for (const ColoredButton& button : coloredButtons_) {
    if (static_cast<UINT>(button.id) != item.CtlID) continue;
    RECT rect = item.rcItem;
    HBRUSH face = CreateSolidBrush(button.face);
    FillRect(item.hDC, &rect, face);
    DeleteObject(face);
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    DrawEdge(item.hDC, &rect, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    // The face's own distances grow with the DPI, as its font does.
    const int pixel = platform::ScaleForDpi(1, dpi_);
    if (pushed) OffsetRect(&rect, pixel, pixel);
    const std::u16string text = WindowText(item.hwndItem);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : button.text);
    DrawTextW(item.hDC, Wide(text), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
      const int inset = platform::ScaleForDpi(3, dpi_);
      InflateRect(&rect, -inset, -inset);
      DrawFocusRect(item.hDC, &rect);
    }
    return true;
  }
  return false;
}

void Win32Window::SetPanePicture(int id, std::unique_ptr<platform::Picture> picture) {
  HWND pane = Item(id);
  if (pane == nullptr) return;
  bool known = false;
  for (auto& entry : panePictures_) {
    if (entry.first != id) continue;
    entry.second = std::move(picture);
    known = true;
  }
  if (!known) panePictures_.emplace_back(id, std::move(picture));
  InvalidateRect(pane, nullptr, FALSE);
}

const platform::Picture* Win32Window::PanePicture(int id) const {
  for (const auto& entry : panePictures_) {
    if (entry.first == id) return entry.second.get();
  }
  return nullptr;
}

// Composed in a memory bitmap and copied in one go, so the pane does not
// flicker: white without a picture; otherwise black with the picture
// stretched into its fitted place with halftone.
bool Win32Window::DrawPicturePane(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_STATIC) return false;
  const int width = item.rcItem.right - item.rcItem.left;
  const int height = item.rcItem.bottom - item.rcItem.top;
  if (width <= 0 || height <= 0) return true;
  const auto* picture =
      static_cast<const Win32Picture*>(PanePicture(static_cast<int>(item.CtlID)));

  HDC composed = CreateCompatibleDC(item.hDC);
  HBITMAP surface = CreateCompatibleBitmap(item.hDC, width, height);
  if (composed == nullptr || surface == nullptr) {
    if (surface != nullptr) DeleteObject(surface);
    if (composed != nullptr) DeleteDC(composed);
    return true;
  }
  HGDIOBJ oldSurface = SelectObject(composed, surface);
  RECT all{0, 0, width, height};
  FillRect(composed, &all,
           static_cast<HBRUSH>(GetStockObject(picture != nullptr ? BLACK_BRUSH : WHITE_BRUSH)));
  if (picture != nullptr) {
    // Placed by the picture's own size; drawn from the smaller bitmap held.
    const platform::ImageSize size = picture->Size();
    const platform::ImageSize held = picture->BitmapSize();
    const platform::Rect place = platform::FitPicture(static_cast<int>(size.width),
                                                      static_cast<int>(size.height), width, height);
    HDC source = CreateCompatibleDC(item.hDC);
    if (source != nullptr && place.Width() > 0 && place.Height() > 0) {
      HGDIOBJ oldSource = SelectObject(source, picture->Bitmap());
      SetStretchBltMode(composed, HALFTONE);
      SetBrushOrgEx(composed, 0, 0, nullptr);
      StretchBlt(composed, place.left, place.top, place.Width(), place.Height(), source, 0, 0,
                 static_cast<int>(held.width), static_cast<int>(held.height), SRCCOPY);
      SelectObject(source, oldSource);
    }
    if (source != nullptr) DeleteDC(source);
  }
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, composed, 0, 0, SRCCOPY);
  SelectObject(composed, oldSurface);
  DeleteObject(surface);
  DeleteDC(composed);
  return true;
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

void Win32Window::ClearItems(int id) {
  SendMessageW(Item(id), CB_RESETCONTENT, 0, 0);
  FitDroppedList(Item(id), dpi_);
}

int Win32Window::AddItem(int id, const std::u16string& text) {
  const LRESULT index =
      SendMessageW(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text)));
  if (index >= 0) WidenDroppedList(Item(id), Wide(text), dpi_);
  return static_cast<int>(index);
}

int Win32Window::InsertItem(int id, int index, const std::u16string& text) {
  const LRESULT at =
      SendMessageW(Item(id), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Wide(text)));
  if (at >= 0) WidenDroppedList(Item(id), Wide(text), dpi_);
  return static_cast<int>(at);
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

// A missing control has no selection (a message to no window answers 0).
int Win32Window::Selection(int id) const {
  HWND item = Item(id);
  return item != nullptr ? static_cast<int>(SendMessageW(item, CB_GETCURSEL, 0, 0)) : -1;
}

// The list reports the width it was given, which a control widened later
// exceeds: the open list is then as wide as the control.
int Win32Window::DroppedListWidth(int id) const {
  HWND list = Item(id);
  if (!IsDropDownList(list)) return 0;
  RECT rect{};
  GetWindowRect(list, &rect);
  return std::max(static_cast<int>(SendMessageW(list, CB_GETDROPPEDWIDTH, 0, 0)),
                  static_cast<int>(rect.right - rect.left));
}

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

void Win32Window::SetSliderRange(int id, int minimum, int maximum) {
  SendMessageW(Item(id), TBM_SETRANGEMIN, FALSE, minimum);
  SendMessageW(Item(id), TBM_SETRANGEMAX, TRUE, maximum);
}

void Win32Window::SetSliderPosition(int id, int position) {
  SendMessageW(Item(id), TBM_SETPOS, TRUE, position);
}

int Win32Window::SliderPosition(int id) const {
  return static_cast<int>(SendMessageW(Item(id), TBM_GETPOS, 0, 0));
}

void Win32Window::SetProgressRange(int id, int minimum, int maximum) {
  SendMessageW(Item(id), PBM_SETRANGE32, minimum, maximum);
}

void Win32Window::SetProgressPosition(int id, int position) {
  SendMessageW(Item(id), PBM_SETPOS, position, 0);
}

int Win32Window::ProgressPosition(int id) const {
  return static_cast<int>(SendMessageW(Item(id), PBM_GETPOS, 0, 0));
}

// The button becomes owner-drawn so that it shows the colour.
void Win32Window::SetChosenColor(int id, uint32_t color) {
  HWND item = Item(id);
  if (item == nullptr) return;
  const COLORREF value = static_cast<COLORREF>(color & 0x00FFFFFFu);
  const LONG_PTR style = GetWindowLongPtrW(item, GWL_STYLE);
  SetWindowLongPtrW(item, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
  auto known = std::find_if(colorButtons_.begin(), colorButtons_.end(),
                            [id](const auto& button) { return button.first == id; });
  if (known != colorButtons_.end()) {
    known->second = value;
  } else {
    colorButtons_.emplace_back(id, value);
  }
  InvalidateRect(item, nullptr, TRUE);
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

uint32_t Win32Window::ChosenColor(int id) const {
  for (const auto& button : colorButtons_) {
    if (button.first == id) return button.second;
  }
  return 0;
}

bool Win32Window::DrawColorButton(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return false;
  for (const auto& button : colorButtons_) {
    if (static_cast<UINT>(button.first) != item.CtlID) continue;
    DrawColorButtonFace(item, button.second);
    return true;
  }
  return false;
}

bool Win32Window::PickColor(int id) {
  auto button = std::find_if(colorButtons_.begin(), colorButtons_.end(),
                             [id](const auto& entry) { return entry.first == id; });
  if (button == colorButtons_.end()) return false;
  if (auto chosen = ChooseColorFromPalette(hwnd_, Item(id), button->second)) {
    button->second = *chosen;
    InvalidateRect(Item(id), nullptr, TRUE);
  }
  return true;
}

}  // namespace win32
