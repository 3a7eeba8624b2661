// The thumbnail list of the capture window: one letterboxed thumbnail per
// captured file, opened with a double click, deleted or cleared from its
// context menu or with Delete, and put in another order with Ctrl+Left,
// Ctrl+Right, the menu or a drag. The order of its items is the order of
// the pages handed over. Deletes and clears can be taken back (Ctrl+Z, the
// menu's Undo): their files wait aside until then. The window is told the
// number of files after every change.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "localisation/UiTextTable.h"
#include "platform/ListView.h"
#include "platform/Platform.h"
#include "thumbnails/AsideFiles.h"
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
  static constexpr int kMoveEarlierCommand = 672;
  static constexpr int kMoveLaterCommand = 673;
  static constexpr int kUndoCommand = 674;
  // How many deletes and clears can be taken back, the last first, and how
  // many pictures they may hold together (their files wait on the disk,
  // their thumbnails in memory); the files of older ones are deleted for
  // good. The last delete or clear can always be taken back, however many
  // pictures it took.
  static constexpr size_t kUndoSteps = 20;
  static constexpr size_t kUndoPictures = 100;

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
  // Files handed over as soon as they were taken cannot change their order:
  // the move commands are then not offered, and keys and drags move nothing.
  void SetOrderFixed(bool fixed);

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

  // A context-menu command (666 to 686): 668 clears the list, 669 opens the
  // selection mark's file, 671 deletes the selected items, 672 and 673 move
  // the selection mark's item one place earlier or later, 674 takes the
  // last delete or clear back; the others only say "nothing".
  void OnMenuCommand(int command);

  // The listed files in the order the list shows them (files whose insert
  // is still posted last, in the order they were added).
  std::vector<std::u16string> ListedFiles() const;
  // Whether a deleted file of this path waits to be brought back: its name
  // is not free for a new picture.
  bool IsSetAside(const std::u16string& path) const;
  bool CanUndo() const { return !history_.empty(); }
  // The session is over (Exit, the window closes): the deleted files are
  // deleted for good and nothing can be taken back any more.
  void DeleteSetAsideFiles();

 private:
  // One file of the list. Entries with an item come first, in item order;
  // files whose insert is still posted follow.
  struct Entry {
    std::u16string path;
    int image = -1;
    uint64_t serial = 0;
    bool hasItem = false;
  };

  // A file deleted from the list while it can be brought back: the entry
  // it had (with its image), the item it was, where its file waits.
  struct SetAsideEntry {
    Entry entry;
    int item = 0;
    std::u16string asidePath;
  };
  // One delete or clear, by item, first item first.
  using UndoStep = std::vector<SetAsideEntry>;

  // The thumbnail of a file at the current cell size; nothing when the file
  // is not a picture that can be shown.
  std::optional<platform::RgbImage> MakeThumbnail(const std::u16string& path) const;
  void OnListEvent(platform::ListViewEvent event, int item, int place);
  void ShowMenu(int item);
  void RunCommand(int command, int item);
  void InsertItem(uint64_t serial);
  void OpenItem(int item);
  // Puts item `from` at index `to`, selected and focused; no picture is
  // made again.
  void MoveItem(int from, int to);
  void DeleteSelected();
  void Clear();
  // Takes item `item` out of the list and its file aside, into `step`.
  void RemoveItem(int item, UndoStep& step);
  void Remember(UndoStep step);
  void Undo();
  // The image is no longer shown nor kept for an undo: it leaves the image
  // list, and the images after it move up one index.
  void ReleaseImage(int image);
  void ForgetStep(const UndoStep& step);
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
  // The deletes and clears that can be taken back, the last at the end.
  std::vector<UndoStep> history_;
  thumbnails::AsideFiles aside_;
  bool orderFixed_ = false;
  uint64_t nextSerial_ = 1;
  CountCallback countCallback_ = nullptr;
  std::shared_ptr<char> alive_ = std::make_shared<char>('\0');
};
