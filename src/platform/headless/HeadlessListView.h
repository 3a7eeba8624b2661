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
  void RemoveAllImages() override { images.clear(); }

  int InsertItem(int index, const std::u16string& text, int image) override;
  bool DeleteItem(int index) override;
  int ItemCount() const override { return static_cast<int>(items.size()); }
  std::u16string ItemText(int index) const override;
  int ItemImage(int index) const override;

  int NextSelected(int after) const override;
  void SetItemSelected(int index, bool selected) override;
  int SelectionMark() const override { return selectionMark; }
  void EnsureVisible(int index) override;
  int ClientWidth() const override { return clientWidth; }

  void SetEventHandler(EventHandler handler) override { handler_ = std::move(handler); }
  int TrackPopupMenu(const std::u16string& text, int command) override;

  // What a user does: clicks on item `item` (-1: empty space).
  void UserDoubleClick(int item);
  void UserRightClick(int item);
  // The user clicks `item` alone (it becomes the only selection and the
  // selection mark) or adds it to the selection with Ctrl.
  void UserSelectOnly(int item);
  void UserAddToSelection(int item);

  struct Item {
    std::u16string text;
    int image = -1;
    bool selected = false;
  };
  struct MenuShown {
    std::u16string text;
    int command = 0;
  };

  // What tests set.
  int clientWidth;
  // Chooses from a pop-up menu: the command, or 0 to dismiss it. Without a
  // chooser every menu is dismissed.
  std::function<int(const MenuShown&)> menuChooser;

  // What tests read.
  int imageWidth = 0;
  int imageHeight = 0;
  int imageListsCreated = 0;
  std::vector<platform::RgbImage> images;
  std::vector<Item> items;
  int selectionMark = -1;
  std::vector<int> ensuredVisible;
  std::vector<MenuShown> menusShown;

 private:
  EventHandler handler_;
};

}  // namespace headless
