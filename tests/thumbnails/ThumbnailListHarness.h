// The thumbnail list on the capture window's list view, headless, with real
// picture files in a fresh folder and the counts it reports.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/TestFolder.h"
#include "localisation/UiTextTable.h"
#include "platform/headless/HeadlessListView.h"
#include "platform/headless/HeadlessPlatform.h"
#include "resource.h"
#include "thumbnails/CImageListCtrl.h"
#include "thumbnails/PictureFiles.h"

namespace thumbnail_tests {

class ThumbnailListHarness {
 public:
  explicit ThumbnailListHarness(int clientWidth = 150) {
    counts().clear();
    texts[localisation::UiText::listMenuClear].text = u"Clear all";
    texts[localisation::UiText::listMenuDelete].text = u"Delete";
    texts[localisation::UiText::listMenuMoveEarlier].text = u"Earlier";
    texts[localisation::UiText::listMenuMoveLater].text = u"Later";
    texts[localisation::UiText::listMenuUndo].text = u"Take back";
    texts[localisation::UiText::Error].text = u"error";
    window = host.ui.CreateModeless(IDD_CAPTURE_WINDOW, handler, nullptr);
    if (window == nullptr) return;
    listView = static_cast<headless::HeadlessListView*>(window->ListViewControl(IDC_THUMBNAILS));
    if (listView == nullptr) return;
    listView->clientWidth = clientWidth;
    initialised = list.Initialise(*window, IDC_THUMBNAILS);
    list.SetCountCallback(&RecordCount);
  }

  // Writes a one-colour picture into the folder; its path as the list sees it.
  std::u16string Picture(const std::string& name, int width, int height,
                         Colour colour = {200, 30, 40}, Format format = Format::Bmp) {
    const std::filesystem::path file = folder.Path() / name;
    EXPECT_TRUE(WriteSolidPicture(file, width, height, colour, format)) << name;
    return Wide(file);
  }
  std::u16string File(const std::string& name, const std::string& content) {
    return Wide(folder.WriteFile(name, content));
  }
  static std::u16string Wide(const std::filesystem::path& file) {
    const std::string text = file.generic_string();
    return std::u16string(text.begin(), text.end());
  }
  static bool Exists(const std::u16string& path) {
    return std::filesystem::exists(std::string(path.begin(), path.end()));
  }

  // Adds the file and lets the UI thread run the posted insert.
  int Add(const std::u16string& path) {
    const int image = list.AddImage(path);
    host.ui.RunPostedTasks();
    return image;
  }
  // A right click on `item` (-1: empty space), choosing the menu's first
  // entry (delete on an item, clear on empty space).
  void RightClickAndChoose(int item) {
    listView->menuChooser = [](const headless::HeadlessListView::MenuShown& menu) {
      return menu.entries.front().command;
    };
    listView->UserRightClick(item);
    host.ui.RunPostedTasks();
  }
  // A right click on `item`, choosing the entry of `command`; false when
  // the menu did not offer it enabled (nothing was chosen then).
  bool RightClickAndChoose(int item, int command) {
    listView->menuChooser = [command](const headless::HeadlessListView::MenuShown&) {
      return command;
    };
    listView->UserRightClick(item);
    const bool chosen = host.ui.RunPostedTasks() > 0;
    listView->menuChooser = nullptr;
    return chosen;
  }
  // Selects `item` alone and presses Delete.
  void DeleteWithKey(int item) {
    listView->UserSelectOnly(item);
    EXPECT_TRUE(listView->UserPressKey(platform::kKeyDelete));
  }
  // Ctrl with a key, on the list.
  void PressControl(int virtualKey) { (void)listView->UserPressKey(virtualKey, true); }
  std::vector<std::u16string> ItemTexts() const {
    std::vector<std::u16string> result;
    for (const auto& item : listView->items) result.push_back(item.text);
    return result;
  }
  std::vector<size_t> SelectedItems() const {
    std::vector<size_t> result;
    for (size_t i = 0; i < listView->items.size(); ++i) {
      if (listView->items[i].selected) result.push_back(i);
    }
    return result;
  }
  // The colour at the centre of the picture item `item` shows.
  Colour CentreOfItem(int item) const {
    const int image = listView->items.at(static_cast<size_t>(item)).image;
    return PixelOfImage(image, listView->imageWidth / 2, listView->imageHeight / 2);
  }
  // The folder deleted files wait in, and what it holds.
  std::filesystem::path AsideFolder() const { return folder.Path() / "Deleted"; }
  std::vector<std::string> AsideFiles() const {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(AsideFolder(), ignored)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  Colour PixelOfImage(int image, int x, int y) const {
    const platform::RgbImage& picture = listView->images.at(static_cast<size_t>(image));
    const uint8_t* p = picture.pixels.data() + (static_cast<size_t>(y) * picture.width + x) * 3;
    return Colour{p[0], p[1], p[2]};
  }

  static std::vector<int>& counts() {
    static std::vector<int> reported;
    return reported;
  }

  struct Idle : platform::DialogHandler {
    bool OnInitDialog() override { return true; }
  };

  testing_support::TestFolder folder;
  headless::HeadlessPlatform host;
  localisation::UiTextTable texts;
  Idle handler;
  std::unique_ptr<platform::Window> window;
  headless::HeadlessListView* listView = nullptr;
  CImageListCtrl list{host.platform, texts};
  bool initialised = false;

 private:
  static void RecordCount(int count) { counts().push_back(count); }
};

}  // namespace thumbnail_tests
