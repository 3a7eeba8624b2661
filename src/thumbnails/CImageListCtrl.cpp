#include "thumbnails/CImageListCtrl.h"

#include <algorithm>

#include "thumbnails/FileTitle.h"

namespace {

constexpr char16_t kNothingText[] = u"nothing";

}  // namespace

CImageListCtrl::CImageListCtrl(platform::Platform& platform,
                               const localisation::UiTextTable& texts)
    : platform_(platform), texts_(texts), aside_(platform.os) {}

template <typename Action>
void CImageListCtrl::PostToSelf(Action action) {
  std::weak_ptr<char> alive = alive_;
  platform_.ui.Post([alive, action]() {
    if (!alive.expired()) action();
  });
}

bool CImageListCtrl::Initialise(platform::Window& window, int controlId) {
  platform::ListView* listView = window.ListViewControl(controlId);
  if (listView == nullptr) return false;
  window_ = &window;
  listView_ = listView;
  cell_ = thumbnails::CellForClientWidth(listView_->ClientWidth(), window.Dpi());
  listView_->SetImageSize(cell_.width, cell_.height);
  listView_->SetItemsMovable(!orderFixed_);
  // The handler may outlive this list inside the window: it checks first.
  std::weak_ptr<char> alive = alive_;
  listView_->SetEventHandler([alive, this](platform::ListViewEvent event, int item, int place) {
    if (!alive.expired()) OnListEvent(event, item, place);
  });
  return true;
}

void CImageListCtrl::SetOrderFixed(bool fixed) {
  orderFixed_ = fixed;
  if (listView_ != nullptr) listView_->SetItemsMovable(!fixed);
}

std::optional<platform::RgbImage> CImageListCtrl::MakeThumbnail(const std::u16string& path) const {
  if (!platform_.os.FileExists(path)) return std::nullopt;
  // The header is checked before anything is decoded: a picture that is not
  // one, has no pixels or is absurdly large is refused whole.
  const std::optional<platform::ImageSize> size = platform_.imaging.ReadImageSize(path);
  if (!size) return std::nullopt;
  return platform_.imaging.MakeThumbnail(path, thumbnails::LayoutFor(cell_, *size));
}

int CImageListCtrl::AddImage(const std::u16string& path) {
  if (listView_ == nullptr) return -1;
  const std::optional<platform::RgbImage> thumbnail = MakeThumbnail(path);
  if (!thumbnail) return -1;
  const int image = listView_->AddImage(*thumbnail);
  if (image < 0) return -1;

  Entry entry;
  entry.path = path;
  entry.image = image;
  entry.serial = nextSerial_++;
  entries_.push_back(entry);
  ReportCount();
  // The item is inserted later on the UI thread; the task names its own
  // file, since image indices and item positions part after a delete.
  const uint64_t serial = entry.serial;
  PostToSelf([this, serial] { InsertItem(serial); });
  return image;
}

void CImageListCtrl::InsertItem(uint64_t serial) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [serial](const Entry& e) { return e.serial == serial; });
  if (it == entries_.end() || it->hasItem || listView_ == nullptr) return;
  // Items are only ever appended: the files before this one have their
  // items already, since inserts run in the order the files were added.
  const int inserted =
      listView_->InsertItem(listView_->ItemCount(), thumbnails::FileTitle(it->path), it->image);
  if (inserted < 0) {
    const int image = it->image;
    entries_.erase(it);
    ReleaseImage(image);
    ReportCount();
    return;
  }
  it->hasItem = true;
  listView_->EnsureVisible(inserted);
}

void CImageListCtrl::OnDpiChanged() {
  if (listView_ == nullptr || window_ == nullptr) return;
  const thumbnails::CellSize cell =
      thumbnails::CellForClientWidth(listView_->ClientWidth(), window_->Dpi());
  if (cell.width == cell_.width && cell.height == cell_.height) return;
  cell_ = cell;

  std::vector<int> selected;
  for (int item = listView_->NextSelected(-1); item >= 0; item = listView_->NextSelected(item)) {
    selected.push_back(item);
  }
  // A new, empty image list: every item is inserted again with its new
  // picture; files whose insert is still posted get theirs when it runs.
  listView_->SetImageSize(cell_.width, cell_.height);
  for (int item = listView_->ItemCount() - 1; item >= 0; --item) (void)listView_->DeleteItem(item);
  platform::RgbImage blank;
  blank.width = cell_.width;
  blank.height = cell_.height;
  blank.pixels.assign(static_cast<size_t>(cell_.width) * cell_.height * 3, 0xFF);
  for (Entry& entry : entries_) {
    const std::optional<platform::RgbImage> thumbnail = MakeThumbnail(entry.path);
    entry.image = listView_->AddImage(thumbnail ? *thumbnail : blank);
    if (entry.hasItem) {
      (void)listView_->InsertItem(listView_->ItemCount(), thumbnails::FileTitle(entry.path),
                                  entry.image);
    }
  }
  // A picture that can be brought back comes back at the new size too.
  for (UndoStep& step : history_) {
    for (SetAsideEntry& deleted : step) {
      const std::optional<platform::RgbImage> thumbnail = MakeThumbnail(deleted.asidePath);
      deleted.entry.image = listView_->AddImage(thumbnail ? *thumbnail : blank);
    }
  }
  for (int item : selected) listView_->SetItemSelected(item, true);
}

void CImageListCtrl::EnsureVisible(int item) {
  if (listView_ != nullptr) listView_->EnsureVisible(item);
}

int CImageListCtrl::GetItemCount() const {
  return listView_ != nullptr ? listView_->ItemCount() : 0;
}

void CImageListCtrl::OnListEvent(platform::ListViewEvent event, int item, int place) {
  using platform::ListViewEvent;
  switch (event) {
    case ListViewEvent::DoubleClick:
      OpenItem(item);
      break;
    case ListViewEvent::RightClick:
      ShowMenu(item);
      break;
    case ListViewEvent::MoveEarlierKey:
      MoveItem(item, item - 1);
      break;
    case ListViewEvent::MoveLaterKey:
      MoveItem(item, item + 1);
      break;
    case ListViewEvent::Drop:
      // `place` counts the dragged item itself: past it, one place less.
      MoveItem(item, place > item ? place - 1 : place);
      break;
    case ListViewEvent::DeleteKey:
      DeleteSelected();
      break;
    case ListViewEvent::UndoKey:
      Undo();
      break;
  }
}

void CImageListCtrl::ShowMenu(int item) {
  using localisation::UiText;
  const bool onItem = item >= 0;
  std::vector<platform::MenuEntry> entries;
  if (onItem) {
    entries.push_back({texts_.Text(UiText::listMenuDelete), kDeleteCommand, true});
    entries.push_back({texts_.Text(UiText::listMenuMoveEarlier), kMoveEarlierCommand,
                       !orderFixed_ && item > 0});
    entries.push_back({texts_.Text(UiText::listMenuMoveLater), kMoveLaterCommand,
                       !orderFixed_ && item + 1 < ItemsShown()});
  } else {
    entries.push_back({texts_.Text(UiText::listMenuClear), kClearCommand, true});
  }
  entries.push_back({texts_.Text(UiText::listMenuUndo), kUndoCommand, CanUndo()});
  const int command = listView_->TrackPopupMenu(entries);
  // As a menu's command message, the choice is handled after the click.
  if (command != 0) PostToSelf([this, command, item] { RunCommand(command, item); });
}

void CImageListCtrl::OnMenuCommand(int command) {
  RunCommand(command, listView_ != nullptr ? listView_->SelectionMark() : -1);
}

void CImageListCtrl::RunCommand(int command, int item) {
  if (command < kFirstCommand || command > kLastCommand) return;
  switch (command) {
    case kClearCommand:
      Clear();
      break;
    case kOpenCommand:
      if (listView_ != nullptr) OpenItem(listView_->SelectionMark());
      break;
    case kDeleteCommand:
      DeleteSelected();
      break;
    case kMoveEarlierCommand:
      MoveItem(item, item - 1);
      break;
    case kMoveLaterCommand:
      MoveItem(item, item + 1);
      break;
    case kUndoCommand:
      Undo();
      break;
    default:
      platform_.ui.ShowMessageBox(window_, kNothingText);
      break;
  }
}

void CImageListCtrl::OpenItem(int item) {
  if (item < 0 || item >= ItemsShown()) return;
  (void)platform_.os.ShellOpen(entries_[static_cast<size_t>(item)].path);
}

void CImageListCtrl::MoveItem(int from, int to) {
  const int shown = ItemsShown();
  if (orderFixed_ || listView_ == nullptr || from < 0 || from >= shown || to < 0 || to >= shown ||
      from == to) {
    return;
  }
  // The item is shown again at its new place with the image it had, then
  // taken out at the old one: the image list keeps every picture, so
  // nothing is decoded, and a list view that refuses changes nothing.
  const Entry moved = entries_[static_cast<size_t>(from)];
  const int before = to > from ? to + 1 : to;
  if (listView_->InsertItem(before, thumbnails::FileTitle(moved.path), moved.image) != before) {
    return;
  }
  const int old = to > from ? from : from + 1;
  if (!listView_->DeleteItem(old)) {
    (void)listView_->DeleteItem(before);
    return;
  }
  entries_.erase(entries_.begin() + from);
  entries_.insert(entries_.begin() + to, moved);
  listView_->SetItemSelected(to, true);
  listView_->SetFocusedItem(to);
  listView_->EnsureVisible(to);
}

void CImageListCtrl::DeleteSelected() {
  if (listView_ == nullptr) return;
  std::vector<int> selected;
  for (int item = listView_->NextSelected(-1); item >= 0; item = listView_->NextSelected(item)) {
    if (item < ItemsShown()) selected.push_back(item);
  }
  // The last first, so that the items before keep their indices; the step
  // lists them first item first.
  UndoStep step;
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) RemoveItem(*it, step);
  std::reverse(step.begin(), step.end());
  Remember(std::move(step));
  ReportCount();
}

void CImageListCtrl::Clear() {
  if (listView_ == nullptr) return;
  UndoStep step;
  for (int item = ItemsShown() - 1; item >= 0; --item) RemoveItem(item, step);
  // Files whose insert is still posted were never shown: they stay and
  // appear when their insert runs.
  std::reverse(step.begin(), step.end());
  Remember(std::move(step));
  ReportCount();
}

void CImageListCtrl::RemoveItem(int item, UndoStep& step) {
  // An item the list view cannot take out stays with its file.
  if (!listView_->DeleteItem(item)) return;
  const auto entry = entries_.begin() + item;
  SetAsideEntry deleted{*entry, item, {}};
  entries_.erase(entry);
  // A file that is gone already, or that could only be deleted for good,
  // cannot come back; its item leaves the list all the same.
  if (std::optional<std::u16string> aside = aside_.SetAside(deleted.entry.path)) {
    deleted.asidePath = *aside;
    step.push_back(std::move(deleted));
  } else {
    ForgetStep(UndoStep{deleted});
  }
}

void CImageListCtrl::Remember(UndoStep step) {
  if (step.empty()) return;
  history_.push_back(std::move(step));
  const auto pictures = [this] {
    size_t count = 0;
    for (const UndoStep& kept : history_) count += kept.size();
    return count;
  };
  while (history_.size() > 1 && (history_.size() > kUndoSteps || pictures() > kUndoPictures)) {
    const UndoStep oldest = std::move(history_.front());
    history_.erase(history_.begin());
    for (const SetAsideEntry& deleted : oldest) aside_.DeleteForGood(deleted.asidePath);
    ForgetStep(oldest);
  }
}

void CImageListCtrl::Undo() {
  if (listView_ == nullptr || history_.empty()) return;
  UndoStep step = std::move(history_.back());
  history_.pop_back();
  // Another file with one of these names appeared meanwhile: nothing comes
  // back, and the step can be taken back once the name is free again.
  for (const SetAsideEntry& deleted : step) {
    if (platform_.os.FileExists(deleted.entry.path)) {
      history_.push_back(std::move(step));
      platform_.ui.ShowMessageBox(window_, texts_.Text(localisation::UiText::Error));
      return;
    }
  }
  for (int item = listView_->NextSelected(-1); item >= 0; item = listView_->NextSelected(item)) {
    listView_->SetItemSelected(item, false);
  }
  UndoStep kept;
  int first = -1;
  for (SetAsideEntry& deleted : step) {
    // Each at its place, as far as the list still reaches there. The item
    // comes first, so that a file that cannot come back leaves no trace.
    const int item = std::min(deleted.item, ItemsShown());
    const int inserted = listView_->InsertItem(item, thumbnails::FileTitle(deleted.entry.path),
                                               deleted.entry.image);
    if (inserted < 0) {
      kept.push_back(std::move(deleted));
      continue;
    }
    if (!aside_.BringBack(deleted.asidePath, deleted.entry.path)) {
      (void)listView_->DeleteItem(inserted);
      kept.push_back(std::move(deleted));
      continue;
    }
    deleted.entry.hasItem = true;
    entries_.insert(entries_.begin() + inserted, deleted.entry);
    listView_->SetItemSelected(inserted, true);
    if (first < 0) first = inserted;
  }
  if (!kept.empty()) {
    // What could not come back stays aside for another try.
    history_.push_back(std::move(kept));
    platform_.ui.ShowMessageBox(window_, texts_.Text(localisation::UiText::Error));
  }
  if (first >= 0) {
    listView_->SetFocusedItem(first);
    listView_->EnsureVisible(first);
  }
  ReportCount();
}

void CImageListCtrl::ForgetStep(const UndoStep& step) {
  // The highest image first: releasing one renumbers those after it.
  std::vector<int> images;
  for (const SetAsideEntry& deleted : step) {
    if (deleted.entry.image >= 0) images.push_back(deleted.entry.image);
  }
  std::sort(images.rbegin(), images.rend());
  for (int image : images) ReleaseImage(image);
}

void CImageListCtrl::ReleaseImage(int image) {
  if (listView_ == nullptr) return;
  listView_->RemoveImage(image);
  const auto renumber = [image](Entry& entry) {
    if (entry.image <= image) return false;
    --entry.image;
    return true;
  };
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (renumber(entries_[i]) && entries_[i].hasItem) {
      listView_->SetItemImage(static_cast<int>(i), entries_[i].image);
    }
  }
  for (UndoStep& step : history_) {
    for (SetAsideEntry& deleted : step) (void)renumber(deleted.entry);
  }
}

std::vector<std::u16string> CImageListCtrl::ListedFiles() const {
  std::vector<std::u16string> files;
  for (const Entry& entry : entries_) files.push_back(entry.path);
  return files;
}

bool CImageListCtrl::IsSetAside(const std::u16string& path) const {
  for (const UndoStep& step : history_) {
    for (const SetAsideEntry& deleted : step) {
      if (deleted.entry.path == path) return true;
    }
  }
  return false;
}

void CImageListCtrl::DeleteSetAsideFiles() {
  while (!history_.empty()) {
    const UndoStep step = std::move(history_.back());
    history_.pop_back();
    for (const SetAsideEntry& deleted : step) aside_.DeleteForGood(deleted.asidePath);
    ForgetStep(step);
  }
  aside_.RemoveEmptyFolders();
}

int CImageListCtrl::ItemsShown() const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                        [](const Entry& e) { return e.hasItem; }));
}

void CImageListCtrl::ReportCount() {
  if (countCallback_ != nullptr) countCallback_(static_cast<int>(entries_.size()));
}
