#include "thumbnails/CImageListCtrl.h"

#include <algorithm>

#include "thumbnails/FileTitle.h"

namespace {

constexpr char16_t kNothingText[] = u"nothing";

}  // namespace

CImageListCtrl::CImageListCtrl(platform::Platform& platform,
                               const localisation::UiTextTable& texts)
    : platform_(platform), texts_(texts) {}

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
  // The handler may outlive this list inside the window: it checks first.
  std::weak_ptr<char> alive = alive_;
  listView_->SetEventHandler([alive, this](platform::ListViewEvent event, int item) {
    if (!alive.expired()) OnListEvent(event, item);
  });
  return true;
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
    entries_.erase(it);
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
  for (int item : selected) listView_->SetItemSelected(item, true);
}

void CImageListCtrl::EnsureVisible(int item) {
  if (listView_ != nullptr) listView_->EnsureVisible(item);
}

int CImageListCtrl::GetItemCount() const {
  return listView_ != nullptr ? listView_->ItemCount() : 0;
}

void CImageListCtrl::OnListEvent(platform::ListViewEvent event, int item) {
  if (event == platform::ListViewEvent::DoubleClick) {
    OpenItem(item);
    return;
  }
  const bool onItem = item >= 0;
  const std::u16string& text = texts_.Text(onItem ? localisation::UiText::listMenuDelete
                                                  : localisation::UiText::listMenuClear);
  const int command = listView_->TrackPopupMenu(text, onItem ? kDeleteCommand : kClearCommand);
  // As a menu's command message, the choice is handled after the click.
  if (command != 0) PostToSelf([this, command] { OnMenuCommand(command); });
}

void CImageListCtrl::OnMenuCommand(int command) {
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
    default:
      platform_.ui.ShowMessageBox(window_, kNothingText);
      break;
  }
}

void CImageListCtrl::OpenItem(int item) {
  if (item < 0 || item >= ItemsShown()) return;
  (void)platform_.os.ShellOpen(entries_[static_cast<size_t>(item)].path);
}

void CImageListCtrl::DeleteSelected() {
  if (listView_ == nullptr) return;
  for (int item = listView_->NextSelected(-1); item >= 0; item = listView_->NextSelected(-1)) {
    if (item >= ItemsShown() || !listView_->DeleteItem(item)) break;
    const auto entry = entries_.begin() + item;
    // A file that cannot be deleted leaves the list all the same.
    (void)platform_.os.RemoveFile(platform_.os.WideToAnsi(entry->path));
    entries_.erase(entry);
  }
  ReportCount();
}

void CImageListCtrl::Clear() {
  if (listView_ == nullptr) return;
  for (int item = listView_->ItemCount() - 1; item >= 0; --item) {
    (void)listView_->DeleteItem(item);
    if (item < ItemsShown()) RemoveFileOf(entries_[static_cast<size_t>(item)]);
  }
  // Files whose insert is still posted were never shown: they stay and
  // appear when their insert runs.
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [](const Entry& e) { return e.hasItem; }),
                 entries_.end());
  // No item shows a thumbnail any more: the thumbnails go too, so that a
  // long session that clears its list does not keep every picture it took.
  if (entries_.empty()) listView_->RemoveAllImages();
  ReportCount();
}

void CImageListCtrl::RemoveFileOf(const Entry& entry) {
  if (platform_.os.FileExists(entry.path)) {
    (void)platform_.os.RemoveFile(platform_.os.WideToAnsi(entry.path));
  }
}

int CImageListCtrl::ItemsShown() const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                        [](const Entry& e) { return e.hasItem; }));
}

void CImageListCtrl::ReportCount() {
  if (countCallback_ != nullptr) countCallback_(static_cast<int>(entries_.size()));
}
