// Win32Window's controls by id: texts, states and places, the lists and
// their open lists' widths, sliders and progress bars.
#include "platform/win32/Win32Window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/win32/Win32DroppedList.h"
#include "platform/win32/Win32Text.h"

namespace win32 {

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

}  // namespace win32
