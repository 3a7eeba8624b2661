// A list-view control in icon view with its image list of thumbnails, as a
// `Window` hands it out by control id.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// A picture as rows of RGB bytes, top row first, no padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // width * height * 3 bytes
};

// What the user did in the list. The keys come from ListViewKeyEvent.
enum class ListViewEvent {
  DoubleClick,     // a double click, or Enter on the focused item
  RightClick,      // a right click, the menu key or Shift+F10
  MoveEarlierKey,  // Ctrl+Left
  MoveLaterKey,    // Ctrl+Right
  DeleteKey,       // Delete
  UndoKey,         // Ctrl+Z
  Drop,            // an item dragged with the mouse and dropped
};

// Virtual-key codes of the list's keys.
constexpr int kKeyLeft = 0x25;
constexpr int kKeyRight = 0x27;
constexpr int kKeyDelete = 0x2E;
constexpr int kKeyZ = 0x5A;

// The event a key pressed in the list stands for, with the modifiers held;
// false for a key the list handles as usual. Both platforms read keys
// through this one table.
inline bool ListViewKeyEvent(int virtualKey, bool control, bool shift, bool alt,
                             ListViewEvent& event) {
  if (shift || alt) return false;
  if (control && virtualKey == kKeyLeft) event = ListViewEvent::MoveEarlierKey;
  else if (control && virtualKey == kKeyRight) event = ListViewEvent::MoveLaterKey;
  else if (control && virtualKey == kKeyZ) event = ListViewEvent::UndoKey;
  else if (!control && virtualKey == kKeyDelete) event = ListViewEvent::DeleteKey;
  else return false;
  return true;
}

// One entry of a pop-up menu.
struct MenuEntry {
  std::u16string text;
  int command = 0;
  bool enabled = true;
};

class ListView {
 public:
  virtual ~ListView() = default;

  // Gives the control a new, empty image list of pictures of this size
  // (the normal icons); the list view shares it and does not destroy it.
  virtual void SetImageSize(int width, int height) = 0;
  // Appends a picture of exactly the image size; its index, or -1.
  virtual int AddImage(const RgbImage& image) = 0;
  virtual int ImageCount() const = 0;
  // Takes one picture out of the image list; the pictures after it move up
  // one index (the items that show them are for the caller to renumber).
  virtual void RemoveImage(int index) = 0;
  // Empties the image list; the next picture added gets index 0. Only for
  // a list whose items show none of its images any more.
  virtual void RemoveAllImages() = 0;

  // Inserts an item (the list places it at the end when `index` is past
  // the last item); the index it got, or -1.
  virtual int InsertItem(int index, const std::u16string& text, int image) = 0;
  virtual bool DeleteItem(int index) = 0;
  // Shows another picture of the image list in an item.
  virtual void SetItemImage(int index, int image) = 0;
  virtual int ItemCount() const = 0;
  virtual std::u16string ItemText(int index) const = 0;
  virtual int ItemImage(int index) const = 0;

  // Multiple selection: the first selected item after `after` (-1 starts
  // at the top), or -1 when there is none.
  virtual int NextSelected(int after) const = 0;
  virtual void SetItemSelected(int index, bool selected) = 0;
  // The item the user last selected or clicked, or -1.
  virtual int SelectionMark() const = 0;
  // Makes the item the one with the keyboard focus and the selection mark,
  // as a click on it would (its selection is left as it is).
  virtual void SetFocusedItem(int index) = 0;
  virtual void EnsureVisible(int index) = 0;
  virtual int ClientWidth() const = 0;

  // What the user does. `item`: for clicks the item under the cursor (-1
  // for empty space); for keys the focused item if it is selected, else -1;
  // for Drop the item dragged. `place`: for Drop only, where it was dropped,
  // as the index the item goes before (ItemCount() for the end), counted in
  // the list as it was while dragging. An empty function removes the handler.
  using EventHandler = std::function<void(ListViewEvent event, int item, int place)>;
  virtual void SetEventHandler(EventHandler handler) = 0;
  // Whether items can be dragged to another place: while they cannot, a
  // drag shows no insertion mark and nothing is dropped.
  virtual void SetItemsMovable(bool movable) = 0;

  // Shows a pop-up menu at the cursor, owned by the control and tracking
  // the right button; the command chosen, or 0 when dismissed.
  virtual int TrackPopupMenu(const std::vector<MenuEntry>& entries) = 0;
};

}  // namespace platform
