#include "platform/win32/Win32ListView.h"

#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Window.h"

namespace win32 {
namespace {

constexpr UINT_PTR kEnterSubclassId = 0x454E5452;  // "ENTR"

// A dialog gives Enter to its default button; the list keeps it, so that
// Enter opens the focused picture rather than ending the session.
LRESULT CALLBACK KeepEnter(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                           UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  if (message == WM_GETDLGCODE && lParam != 0 &&
      reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
      reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
    return DefSubclassProc(list, message, wParam, lParam) | DLGC_WANTALLKEYS;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(list, &KeepEnter, kEnterSubclassId);
  return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

Win32ListView::Win32ListView(HWND control) : hwnd_(control) {
  SetWindowSubclass(hwnd_, &KeepEnter, kEnterSubclassId, 0);
}

Win32ListView::~Win32ListView() {
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

void Win32ListView::EnsureVisible(int index) {
  SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

int Win32ListView::ClientWidth() const {
  RECT rect{};
  if (!GetClientRect(hwnd_, &rect)) return 0;
  return rect.right - rect.left;
}

int Win32ListView::TrackPopupMenu(const std::u16string& text, int command) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return 0;
  AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command),
              reinterpret_cast<const wchar_t*>(text.c_str()));
  POINT cursor = menuPoint_;
  if (!menuAtItem_) GetCursorPos(&cursor);
  const BOOL chosen = ::TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                       cursor.x, cursor.y, 0, hwnd_, nullptr);
  DestroyMenu(menu);
  return static_cast<int>(chosen);
}

void Win32ListView::OnMenuKey() {
  if (!handler_) return;
  const int focused = static_cast<int>(
      SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
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
  EventHandler handler = handler_;
  handler(platform::ListViewEvent::RightClick, focused);
  menuAtItem_ = false;
}

void Win32ListView::OnNotify(const NMHDR& header) {
  if (header.code == NM_RETURN && handler_) {
    const int focused = static_cast<int>(SendMessageW(
        hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
    EventHandler handler = handler_;
    if (focused >= 0) handler(platform::ListViewEvent::DoubleClick, focused);
    return;
  }
  if (!handler_ || (header.code != NM_DBLCLK && header.code != NM_RCLICK)) return;
  // The list view tells the item under the cursor, -1 for empty space.
  const int item = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
  const platform::ListViewEvent event = header.code == NM_DBLCLK
                                            ? platform::ListViewEvent::DoubleClick
                                            : platform::ListViewEvent::RightClick;
  // A copy: the handler may replace itself.
  EventHandler handler = handler_;
  handler(event, item);
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
