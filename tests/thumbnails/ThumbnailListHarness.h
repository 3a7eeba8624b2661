// The thumbnail list on the capture window's list view, headless, with real
// picture files in a fresh folder and the counts it reports.
#pragma once

#include <gtest/gtest.h>

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
  // A right click on `item` (-1: empty space), choosing the menu's item.
  void RightClickAndChoose(int item) {
    listView->menuChooser = [](const headless::HeadlessListView::MenuShown& menu) {
      return menu.entries.front().command;
    };
    listView->UserRightClick(item);
    host.ui.RunPostedTasks();
  }
  std::vector<std::u16string> ItemTexts() const {
    std::vector<std::u16string> result;
    for (const auto& item : listView->items) result.push_back(item.text);
    return result;
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
