// A list view without a screen: items, selection and the thumbnails it was
// given stay in memory, where tests read them; the user's clicks and menu
// choices are what tests make them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ListView.h"

namespace headless {

class HeadlessListView : public platform::ListView {
 public:
  // `clientWidth`: the control's width inside its border.
  explicit HeadlessListView(int clientWidth) : clientWidth(clientWidth) {}

  void SetImageSize(int width, int height) override;
  int AddImage(const platform::RgbImage& image) override;
  int ImageCount() const override { return static_cast<int>(images.size()); }
  void RemoveImage(int index) override;
  void RemoveAllImages() override { images.clear(); }

  int InsertItem(int index, const std::u16string& text, int image) override;
  bool DeleteItem(int index) override;
  void SetItemImage(int index, int image) override;
  int ItemCount() const override { return static_cast<int>(items.size()); }
  std::u16string ItemText(int index) const override;
  int ItemImage(int index) const override;

  int NextSelected(int after) const override;
  void SetItemSelected(int index, bool selected) override;
  int SelectionMark() const override { return selectionMark; }
  void SetFocusedItem(int index) override;
  void EnsureVisible(int index) override;
  int ClientWidth() const override { return clientWidth; }

  void SetEventHandler(EventHandler handler) override { handler_ = std::move(handler); }
  void SetItemsMovable(bool movable) override { itemsMovable = movable; }
  int TrackPopupMenu(const std::vector<platform::MenuEntry>& entries) override;

  // What a user does: clicks on item `item` (-1: empty space).
  void UserDoubleClick(int item);
  void UserRightClick(int item);
  // The user clicks `item` alone (it becomes the only selection and the
  // selection mark) or adds it to the selection with Ctrl.
  void UserSelectOnly(int item);
  void UserAddToSelection(int item);
  // A key pressed with the focus on the list, with the modifiers held; the
  // selection mark stands for the focused item. False when the key is not
  // one of the list's own.
  bool UserPressKey(int virtualKey, bool control = false, bool shift = false, bool alt = false);
  // Drags `item` with the mouse and drops it before item `place` (the item
  // count: after the last). False when nothing was dropped: the items
  // cannot be moved, or there is no such item or place.
  bool UserDrag(int item, int place);

  struct Item {
    std::u16string text;
    int image = -1;
    bool selected = false;
  };
  struct MenuShown {
    std::vector<platform::MenuEntry> entries;
    // The entry with this command, or nothing.
    const platform::MenuEntry* Entry(int command) const {
      for (const platform::MenuEntry& entry : entries) {
        if (entry.command == command) return &entry;
      }
      return nullptr;
    }
  };

  // What tests set.
  int clientWidth;
  // Chooses from a pop-up menu: the command, or 0 to dismiss it. Without a
  // chooser every menu is dismissed; a command the menu does not offer, or
  // offers disabled, cannot be chosen and dismisses it too.
  std::function<int(const MenuShown&)> menuChooser;

  // What tests read.
  int imageWidth = 0;
  int imageHeight = 0;
  int imageListsCreated = 0;
  std::vector<platform::RgbImage> images;
  std::vector<Item> items;
  int selectionMark = -1;
  bool itemsMovable = true;
  std::vector<int> ensuredVisible;
  std::vector<MenuShown> menusShown;

 private:
  EventHandler handler_;
};

}  // namespace headless
