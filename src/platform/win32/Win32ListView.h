// A real list view (SysListView32) of a dialog and its image list.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "platform/ListView.h"
#include "platform/win32/WindowsHeaders.h"

#include <commctrl.h>

namespace win32 {

class Win32ListView : public platform::ListView {
 public:
  explicit Win32ListView(HWND control);
  ~Win32ListView() override;
  Win32ListView(const Win32ListView&) = delete;
  Win32ListView& operator=(const Win32ListView&) = delete;

  HWND Handle() const { return hwnd_; }
  HIMAGELIST ImageList() const { return imageList_; }
  // WM_NOTIFY from this control, as its dialog receives it. Enter opens the
  // focused item as a double click does; LVN_BEGINDRAG starts moving an
  // item with the mouse.
  void OnNotify(const NMHDR& header);
  // The menu key or Shift+F10 with the focus on the list: the right click's
  // menu for the focused item (for the empty list when none is selected),
  // shown at that item.
  void OnMenuKey();

  void SetImageSize(int width, int height) override;
  int AddImage(const platform::RgbImage& image) override;
  int ImageCount() const override;
  void RemoveImage(int index) override;
  void RemoveAllImages() override;

  int InsertItem(int index, const std::u16string& text, int image) override;
  bool DeleteItem(int index) override;
  void SetItemImage(int index, int image) override;
  int ItemCount() const override;
  std::u16string ItemText(int index) const override;
  int ItemImage(int index) const override;

  int NextSelected(int after) const override;
  void SetItemSelected(int index, bool selected) override;
  int SelectionMark() const override;
  void SetFocusedItem(int index) override;
  void EnsureVisible(int index) override;
  int ClientWidth() const override;

  void SetEventHandler(EventHandler handler) override { handler_ = std::move(handler); }
  void SetItemsMovable(bool movable) override;
  int TrackPopupMenu(const std::vector<platform::MenuEntry>& entries) override;

  // Where a drop at `point` (client coordinates) would put the dragged
  // item: before or after the item nearest to the point. Items side by
  // side are split into left and right halves, items one above the other
  // into upper and lower ones. Item -1 for an empty list.
  struct DropMark {
    int item = -1;
    bool after = false;
    int Place() const { return item < 0 ? 0 : item + (after ? 1 : 0); }
  };
  DropMark DropMarkAt(POINT point) const;
  bool IsDragging() const { return dragItem_ >= 0; }
  // The insertion mark the list was asked to show (item -1: none). Wine's
  // list view accepts none and draws none; Windows' draws it.
  DropMark InsertMark() const { return insertMark_; }

 private:
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);
  // The list's own keys (ListViewKeyEvent); false for any other key.
  bool OnKeyDown(WPARAM key);
  void Raise(platform::ListViewEvent event, int item, int place);
  int FocusedSelectedItem() const;
  void OnDragMove(POINT point);
  void ShowInsertMark(DropMark mark);
  // Ends a drag; with `drop`, the item moves where the mark is.
  void EndDrag(bool drop, POINT point);

  HWND hwnd_;
  HIMAGELIST imageList_ = nullptr;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  EventHandler handler_;
  bool itemsMovable_ = true;
  // The item being dragged, or -1, and where it would be dropped.
  int dragItem_ = -1;
  DropMark insertMark_;
  // Where a menu opened from the keyboard shows, in screen coordinates.
  bool menuAtItem_ = false;
  POINT menuPoint_{};
};

}  // namespace win32
