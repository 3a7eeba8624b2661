#include "platform/win32/Win32ListView.h"

#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Window.h"

namespace win32 {
namespace {

constexpr UINT_PTR kListSubclassId = 0x4C495354;  // "LIST"
// Control+Z arrives as this character once its key has been handled.
constexpr WPARAM kControlZCharacter = 0x1A;
// How far the list scrolls for each move of the mouse past its edge while
// an item is dragged.
constexpr int kDragScrollStep = 16;

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

RECT ItemBounds(HWND list, int index) {
  RECT rect{};
  rect.left = LVIR_BOUNDS;
  if (!SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&rect))) {
    return RECT{};
  }
  return rect;
}

// How far a point lies from a rectangle, squared; 0 inside it.
long long DistanceSquared(POINT point, const RECT& rect) {
  const long long dx = point.x < rect.left ? rect.left - point.x
                       : point.x >= rect.right ? point.x - rect.right + 1 : 0;
  const long long dy = point.y < rect.top ? rect.top - point.y
                       : point.y >= rect.bottom ? point.y - rect.bottom + 1 : 0;
  return dx * dx + dy * dy;
}

}  // namespace

LRESULT CALLBACK Win32ListView::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR data) {
  auto* self = reinterpret_cast<Win32ListView*>(data);
  switch (message) {
    case WM_GETDLGCODE:
      // A dialog gives Enter to its default button and Escape to Cancel;
      // the list keeps Enter, so that Enter opens the focused picture
      // rather than ending the session, and Escape while it drags.
      if (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN) {
        const WPARAM key = reinterpret_cast<const MSG*>(lParam)->wParam;
        if (key == VK_RETURN || (key == VK_ESCAPE && self->IsDragging())) {
          return DefSubclassProc(list, message, wParam, lParam) | DLGC_WANTALLKEYS;
        }
      }
      break;
    case WM_KEYDOWN:
      if (self->IsDragging() && wParam == VK_ESCAPE) {
        self->EndDrag(false, POINT{});
        return 0;
      }
      if (self->OnKeyDown(wParam)) return 0;
      break;
    case WM_CHAR:
      // The list would search its items for the character.
      if (wParam == kControlZCharacter) return 0;
      break;
    case WM_MOUSEMOVE:
      if (self->IsDragging()) {
        self->OnDragMove(POINT{static_cast<short>(LOWORD(lParam)),
                               static_cast<short>(HIWORD(lParam))});
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (self->IsDragging()) {
        self->EndDrag(true, POINT{static_cast<short>(LOWORD(lParam)),
                                  static_cast<short>(HIWORD(lParam))});
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a menu, a message box): no drop.
      if (self->IsDragging() && reinterpret_cast<HWND>(lParam) != list) {
        self->EndDrag(false, POINT{});
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(list, &Win32ListView::ListProc, kListSubclassId);
      self->dragItem_ = -1;
      break;
    default:
      break;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

Win32ListView::Win32ListView(HWND control) : hwnd_(control) {
  SetWindowSubclass(hwnd_, &Win32ListView::ListProc, kListSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
}

Win32ListView::~Win32ListView() {
  // The control may outlive this object inside its dialog: it stops
  // calling it.
  if (IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &Win32ListView::ListProc, kListSubclassId);
  if (imageList_ != nullptr) ImageList_Destroy(imageList_);
}

void Win32ListView::SetImageSize(int width, int height) {
  // The list view shares the image list, which lives as long as this object;
  // icons are arranged as they come.
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE);
  HIMAGELIST created = ImageList_Create(width, height, ILC_COLORDDB, 1, 1);
  if (created == nullptr) return;
  SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(created));
  if (imageList_ != nullptr) ImageList_Destroy(imageList_);
  imageList_ = created;
  imageWidth_ = width;
  imageHeight_ = height;
}

int Win32ListView::AddImage(const platform::RgbImage& image) {
  // A wider bitmap would be added as several images.
  if (imageList_ == nullptr || image.width != imageWidth_ || image.height != imageHeight_ ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3) {
    return -1;
  }
  HBITMAP bitmap = DibSectionOf(image);
  if (bitmap == nullptr) return -1;
  const int index = ImageList_Add(imageList_, bitmap, nullptr);
  DeleteObject(bitmap);
  return index;
}

void Win32ListView::RemoveImage(int index) {
  if (imageList_ != nullptr && index >= 0) (void)ImageList_Remove(imageList_, index);
}

void Win32ListView::RemoveAllImages() {
  if (imageList_ != nullptr) (void)ImageList_RemoveAll(imageList_);
}

int Win32ListView::ImageCount() const {
  return imageList_ != nullptr ? ImageList_GetImageCount(imageList_) : 0;
}

int Win32ListView::InsertItem(int index, const std::u16string& text, int image) {
  std::wstring buffer(text.begin(), text.end());
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = buffer.data();
  item.iImage = image;
  return static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool Win32ListView::DeleteItem(int index) {
  return SendMessageW(hwnd_, LVM_DELETEITEM, static_cast<WPARAM>(index), 0) != FALSE;
}

void Win32ListView::SetItemImage(int index, int image) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iImage = image;
  SendMessageW(hwnd_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int Win32ListView::ItemCount() const {
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0));
}

std::u16string Win32ListView::ItemText(int index) const {
  for (size_t size = 256;; size *= 2) {
    std::wstring buffer(size, L'\0');
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const LRESULT length = SendMessageW(hwnd_, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(&item));
    if (length < 0) return {};
    if (static_cast<size_t>(length) + 1 < size || size >= 65536) {
      return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()),
                            static_cast<size_t>(length));
    }
  }
}

int Win32ListView::ItemImage(int index) const {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  if (!SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage;
}

int Win32ListView::NextSelected(int after) const {
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(after),
                                      MAKELPARAM(LVNI_SELECTED, 0)));
}

void Win32ListView::SetItemSelected(int index, bool selected) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
}

int Win32ListView::SelectionMark() const {
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETSELECTIONMARK, 0, 0));
}

void Win32ListView::SetFocusedItem(int index) {
  LVITEMW item{};
  item.stateMask = LVIS_FOCUSED;
  item.state = LVIS_FOCUSED;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
  SendMessageW(hwnd_, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(index));
}

void Win32ListView::EnsureVisible(int index) {
  SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

int Win32ListView::ClientWidth() const {
  RECT rect{};
  if (!GetClientRect(hwnd_, &rect)) return 0;
  return rect.right - rect.left;
}

int Win32ListView::TrackPopupMenu(const std::vector<platform::MenuEntry>& entries) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return 0;
  for (const platform::MenuEntry& entry : entries) {
    AppendMenuW(menu, MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED),
                static_cast<UINT_PTR>(entry.command),
                reinterpret_cast<const wchar_t*>(entry.text.c_str()));
  }
  POINT cursor = menuPoint_;
  if (!menuAtItem_) GetCursorPos(&cursor);
  const BOOL chosen = ::TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                       cursor.x, cursor.y, 0, hwnd_, nullptr);
  DestroyMenu(menu);
  return static_cast<int>(chosen);
}

void Win32ListView::SetItemsMovable(bool movable) {
  itemsMovable_ = movable;
  if (!movable && IsDragging()) EndDrag(false, POINT{});
}

void Win32ListView::Raise(platform::ListViewEvent event, int item, int place) {
  if (!handler_) return;
  // A copy: the handler may replace itself.
  EventHandler handler = handler_;
  handler(event, item, place);
}

int Win32ListView::FocusedSelectedItem() const {
  return static_cast<int>(
      SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
}

bool Win32ListView::OnKeyDown(WPARAM key) {
  platform::ListViewEvent event;
  if (!platform::ListViewKeyEvent(static_cast<int>(key), KeyDown(VK_CONTROL), KeyDown(VK_SHIFT),
                                  KeyDown(VK_MENU), event)) {
    return false;
  }
  Raise(event, FocusedSelectedItem(), -1);
  return true;
}

Win32ListView::DropMark Win32ListView::DropMarkAt(POINT point) const {
  DropMark mark;
  long long nearest = -1;
  RECT nearestRect{};
  const int count = ItemCount();
  for (int i = 0; i < count; ++i) {
    const RECT rect = ItemBounds(hwnd_, i);
    const long long distance = DistanceSquared(point, rect);
    if (nearest < 0 || distance < nearest) {
      nearest = distance;
      nearestRect = rect;
      mark.item = i;
    }
  }
  if (mark.item < 0) return mark;
  const auto sharesRow = [&](int other) {
    return other >= 0 && other < count && ItemBounds(hwnd_, other).top == nearestRect.top;
  };
  const bool inRow = sharesRow(mark.item - 1) || sharesRow(mark.item + 1);
  mark.after = inRow ? point.x >= (nearestRect.left + nearestRect.right) / 2
                     : point.y >= (nearestRect.top + nearestRect.bottom) / 2;
  return mark;
}

void Win32ListView::OnDragMove(POINT point) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  // Past the top or the bottom edge the list scrolls, so that a long list
  // can be dragged through.
  if (point.y < client.top) SendMessageW(hwnd_, LVM_SCROLL, 0, -kDragScrollStep);
  if (point.y >= client.bottom) SendMessageW(hwnd_, LVM_SCROLL, 0, kDragScrollStep);
  ShowInsertMark(DropMarkAt(point));
}

void Win32ListView::ShowInsertMark(DropMark mark) {
  insertMark_ = mark;
  LVINSERTMARK insertMark{};
  insertMark.cbSize = sizeof insertMark;
  insertMark.dwFlags = mark.after ? LVIM_AFTER : 0;
  insertMark.iItem = mark.item;
  SendMessageW(hwnd_, LVM_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&insertMark));
}

void Win32ListView::EndDrag(bool drop, POINT point) {
  const int item = dragItem_;
  dragItem_ = -1;
  if (GetCapture() == hwnd_) ReleaseCapture();
  ShowInsertMark(DropMark{});
  RECT client{};
  GetClientRect(hwnd_, &client);
  // Dropped outside the list: the item stays where it was.
  if (!drop || !PtInRect(&client, point) || !itemsMovable_) return;
  Raise(platform::ListViewEvent::Drop, item, DropMarkAt(point).Place());
}

void Win32ListView::OnMenuKey() {
  if (!handler_) return;
  const int focused = FocusedSelectedItem();
  RECT place{};
  place.left = LVIR_ICON;
  if (focused < 0 || !SendMessageW(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(focused),
                                   reinterpret_cast<LPARAM>(&place))) {
    place = RECT{};
  }
  menuPoint_ = POINT{place.left + (place.right - place.left) / 2,
                     place.top + (place.bottom - place.top) / 2};
  ClientToScreen(hwnd_, &menuPoint_);
  menuAtItem_ = true;
  Raise(platform::ListViewEvent::RightClick, focused, -1);
  menuAtItem_ = false;
}

void Win32ListView::OnNotify(const NMHDR& header) {
  if (!handler_) return;
  switch (header.code) {
    case NM_RETURN: {
      const int focused = FocusedSelectedItem();
      if (focused >= 0) Raise(platform::ListViewEvent::DoubleClick, focused, -1);
      return;
    }
    case LVN_BEGINDRAG: {
      const int item = reinterpret_cast<const NMLISTVIEW&>(header).iItem;
      if (!itemsMovable_ || item < 0 || IsDragging()) return;
      // The list keeps the mouse until the button is released; the
      // insertion mark follows it.
      dragItem_ = item;
      SetCapture(hwnd_);
      return;
    }
    case NM_DBLCLK:
    case NM_RCLICK: {
      // The list view tells the item under the cursor, -1 for empty space.
      const int item = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
      Raise(header.code == NM_DBLCLK ? platform::ListViewEvent::DoubleClick
                                     : platform::ListViewEvent::RightClick,
            item, -1);
      return;
    }
    default:
      return;
  }
}

platform::ListView* Win32Window::ListViewControl(int id) {
  for (auto& entry : listViews_) {
    if (entry.first == id) return entry.second.get();
  }
  HWND control = Item(id);
  if (control == nullptr) return nullptr;
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  if (lstrcmpiW(className, WC_LISTVIEWW) != 0) return nullptr;
  listViews_.emplace_back(id, std::make_unique<Win32ListView>(control));
  return listViews_.back().second.get();
}

void Win32Window::RouteNotify(const NMHDR* header) {
  if (header == nullptr) return;
  for (auto& entry : listViews_) {
    if (entry.second->Handle() == header->hwndFrom) entry.second->OnNotify(*header);
  }
}

}  // namespace win32
