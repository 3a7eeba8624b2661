#include "platform/headless/HeadlessListView.h"

#include "platform/headless/HeadlessWindow.h"

namespace headless {

void HeadlessListView::SetImageSize(int width, int height) {
  imageWidth = width;
  imageHeight = height;
  images.clear();
  ++imageListsCreated;
}

int HeadlessListView::AddImage(const platform::RgbImage& image) {
  if (imageListsCreated == 0 || image.width != imageWidth || image.height != imageHeight ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3) {
    return -1;
  }
  images.push_back(image);
  return static_cast<int>(images.size()) - 1;
}

void HeadlessListView::RemoveImage(int index) {
  if (index >= 0 && index < ImageCount()) images.erase(images.begin() + index);
}

int HeadlessListView::InsertItem(int index, const std::u16string& text, int image) {
  const int count = ItemCount();
  if (index < 0) return -1;
  if (index > count) index = count;
  items.insert(items.begin() + index, Item{text, image, false});
  if (selectionMark >= index) ++selectionMark;
  return index;
}

bool HeadlessListView::DeleteItem(int index) {
  if (index < 0 || index >= ItemCount()) return false;
  items.erase(items.begin() + index);
  if (selectionMark == index) {
    selectionMark = -1;
  } else if (selectionMark > index) {
    --selectionMark;
  }
  return true;
}

void HeadlessListView::SetItemImage(int index, int image) {
  if (index >= 0 && index < ItemCount()) items[static_cast<size_t>(index)].image = image;
}

std::u16string HeadlessListView::ItemText(int index) const {
  if (index < 0 || index >= ItemCount()) return {};
  return items[static_cast<size_t>(index)].text;
}

int HeadlessListView::ItemImage(int index) const {
  if (index < 0 || index >= ItemCount()) return -1;
  return items[static_cast<size_t>(index)].image;
}

int HeadlessListView::NextSelected(int after) const {
  for (int i = after < 0 ? 0 : after + 1; i < ItemCount(); ++i) {
    if (items[static_cast<size_t>(i)].selected) return i;
  }
  return -1;
}

void HeadlessListView::SetItemSelected(int index, bool selected) {
  if (index >= 0 && index < ItemCount()) items[static_cast<size_t>(index)].selected = selected;
}

void HeadlessListView::SetFocusedItem(int index) {
  if (index >= 0 && index < ItemCount()) selectionMark = index;
}

void HeadlessListView::EnsureVisible(int index) {
  if (index >= 0 && index < ItemCount()) ensuredVisible.push_back(index);
}

int HeadlessListView::TrackPopupMenu(const std::vector<platform::MenuEntry>& entries) {
  menusShown.push_back(MenuShown{entries});
  const int command = menuChooser ? menuChooser(menusShown.back()) : 0;
  const platform::MenuEntry* chosen = menusShown.back().Entry(command);
  return chosen != nullptr && chosen->enabled ? command : 0;
}

void HeadlessListView::UserDoubleClick(int item) {
  if (handler_) handler_(platform::ListViewEvent::DoubleClick, item < ItemCount() ? item : -1, -1);
}

void HeadlessListView::UserRightClick(int item) {
  if (handler_) handler_(platform::ListViewEvent::RightClick, item < ItemCount() ? item : -1, -1);
}

bool HeadlessListView::UserPressKey(int virtualKey, bool control, bool shift, bool alt) {
  platform::ListViewEvent event;
  if (!platform::ListViewKeyEvent(virtualKey, control, shift, alt, event)) return false;
  const bool focusedSelected = selectionMark >= 0 && selectionMark < ItemCount() &&
                               items[static_cast<size_t>(selectionMark)].selected;
  // A copy: the handler may replace itself.
  EventHandler handler = handler_;
  if (handler) handler(event, focusedSelected ? selectionMark : -1, -1);
  return true;
}

bool HeadlessListView::UserDrag(int item, int place) {
  if (!itemsMovable || !handler_ || item < 0 || item >= ItemCount() || place < 0 ||
      place > ItemCount()) {
    return false;
  }
  // Pressing the button on an item selects it, as the list view does.
  if (!items[static_cast<size_t>(item)].selected) UserSelectOnly(item);
  EventHandler handler = handler_;
  handler(platform::ListViewEvent::Drop, item, place);
  return true;
}

void HeadlessListView::UserSelectOnly(int item) {
  for (Item& i : items) i.selected = false;
  SetItemSelected(item, true);
  if (item >= 0 && item < ItemCount()) selectionMark = item;
}

void HeadlessListView::UserAddToSelection(int item) {
  SetItemSelected(item, true);
  if (item >= 0 && item < ItemCount()) selectionMark = item;
}

// The window's list views are made when first asked for, from the control
// of the template; the border takes one pixel on each side.
platform::ListView* HeadlessWindow::ListViewControl(int id) {
  const HeadlessControl* control = Find(id);
  if (control == nullptr || control->kind != ControlKind::LISTVIEW) return nullptr;
  for (auto& entry : listViews_) {
    if (entry.first == id) return entry.second.get();
  }
  constexpr int kBorders = 2;
  listViews_.emplace_back(id, std::make_unique<HeadlessListView>(control->rect.Width() - kBorders));
  return listViews_.back().second.get();
}

}  // namespace headless
