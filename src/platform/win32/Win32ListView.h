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
  // focused item as a double click does.
  void OnNotify(const NMHDR& header);
  // The menu key or Shift+F10 with the focus on the list: the right click's
  // menu for the focused item (for the empty list when none is selected),
  // shown at that item.
  void OnMenuKey();

  void SetImageSize(int width, int height) override;
  int AddImage(const platform::RgbImage& image) override;
  int ImageCount() const override;
  void RemoveAllImages() override;

  int InsertItem(int index, const std::u16string& text, int image) override;
  bool DeleteItem(int index) override;
  int ItemCount() const override;
  std::u16string ItemText(int index) const override;
  int ItemImage(int index) const override;

  int NextSelected(int after) const override;
  void SetItemSelected(int index, bool selected) override;
  int SelectionMark() const override;
  void EnsureVisible(int index) override;
  int ClientWidth() const override;

  void SetEventHandler(EventHandler handler) override { handler_ = std::move(handler); }
  int TrackPopupMenu(const std::u16string& text, int command) override;

 private:
  HWND hwnd_;
  HIMAGELIST imageList_ = nullptr;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  EventHandler handler_;
  // Where a menu opened from the keyboard shows, in screen coordinates.
  bool menuAtItem_ = false;
  POINT menuPoint_{};
};

}  // namespace win32
