// The thumbnail list of the capture window: one letterboxed thumbnail per
// captured file, opened with a double click, deleted or cleared (files on
// disk included) from its context menu. The window is told the number of
// files after every change.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "localisation/UiTextTable.h"
#include "platform/ListView.h"
#include "platform/Platform.h"
#include "thumbnails/ThumbnailGeometry.h"

class CImageListCtrl {
 public:
  // Receives the new number of files in the list.
  using CountCallback = void (*)(int count);

  // Context-menu commands; the list handles every command of this range.
  static constexpr int kFirstCommand = 666;
  static constexpr int kLastCommand = 686;
  static constexpr int kClearCommand = 668;
  static constexpr int kOpenCommand = 669;
  static constexpr int kDeleteCommand = 671;

  // The menu texts are read from `texts` each time the menu opens, so a
  // language switch shows at once.
  CImageListCtrl(platform::Platform& platform, const localisation::UiTextTable& texts);
  CImageListCtrl(const CImageListCtrl&) = delete;
  CImageListCtrl& operator=(const CImageListCtrl&) = delete;

  // Binds the list to the list-view control `controlId` of `window`, fixes
  // the thumbnail size from the control's client width and gives it an
  // empty image list. Called once, before any file is added; false when the
  // window has no such list view.
  bool Initialise(platform::Window& window, int controlId);
  void SetCountCallback(CountCallback callback) { countCallback_ = callback; }

  // Adds the file's thumbnail; its image index, or -1 when the file does
  // not exist or is not a picture that can be shown (nothing is added
  // then). The list item appears once the UI thread runs the posted insert.
  int AddImage(const std::u16string& path);

  // The window moved to a monitor of another DPI: the thumbnails are made
  // again at the cell size for the list's new width, in the same order and
  // with the same selection. A file that cannot be read any more keeps its
  // item with a blank picture.
  void OnDpiChanged();

  // Scrolls the item into view.
  void EnsureVisible(int item);
  int GetItemCount() const;
  thumbnails::CellSize ThumbnailSize() const { return cell_; }

  // A context-menu command (666 to 686): 668 clears the list (and, once no
  // item is left, its thumbnails), 669 opens the selection mark's file, 671
  // deletes the selected items; the others only say "nothing".
  void OnMenuCommand(int command);

 private:
  // One file of the list. Entries with an item come first, in item order;
  // files whose insert is still posted follow.
  struct Entry {
    std::u16string path;
    int image = -1;
    uint64_t serial = 0;
    bool hasItem = false;
  };

  // The thumbnail of a file at the current cell size; nothing when the file
  // is not a picture that can be shown.
  std::optional<platform::RgbImage> MakeThumbnail(const std::u16string& path) const;
  void OnListEvent(platform::ListViewEvent event, int item);
  void InsertItem(uint64_t serial);
  void OpenItem(int item);
  void DeleteSelected();
  void Clear();
  void RemoveFileOf(const Entry& entry);
  int ItemsShown() const;
  void ReportCount();
  // Runs `action` on the UI thread later, unless this list is gone by then.
  template <typename Action>
  void PostToSelf(Action action);

  platform::Platform& platform_;
  const localisation::UiTextTable& texts_;
  platform::Window* window_ = nullptr;
  platform::ListView* listView_ = nullptr;
  thumbnails::CellSize cell_;
  std::vector<Entry> entries_;
  uint64_t nextSerial_ = 1;
  CountCallback countCallback_ = nullptr;
  std::shared_ptr<char> alive_ = std::make_shared<char>('\0');
};
