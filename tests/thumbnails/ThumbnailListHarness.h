// The thumbnail list on the capture window's list view, headless, with real
// picture files in a fresh folder and the counts it reports.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "localisation/UiTextTable.h"
#include "platform/headless/HeadlessListView.h"
#include "platform/headless/HeadlessPlatform.h"
#include "resource.h"
#include "support/FolderNames.h"
#include "support/MadePictures.h"
#include "support/TestFolder.h"
#include "thumbnails/CImageListCtrl.h"

namespace thumbnail_tests {

using testing_support::Colour;
using testing_support::Format;
using testing_support::kWhite;
using Texts = std::vector<std::u16string>;

class ThumbnailListHarness {
 public:
  // `orderFixed`: the order is fixed before the list is bound to its view.
  explicit ThumbnailListHarness(int clientWidth = 150, bool orderFixed = false) {
    counts().clear();
    using localisation::UiText;
    texts[UiText::listMenuClear].text = u"Clear all";
    texts[UiText::listMenuDelete].text = u"Delete";
    texts[UiText::listMenuMoveEarlier].text = u"Earlier";
    texts[UiText::listMenuMoveLater].text = u"Later";
    texts[UiText::listMenuUndo].text = u"Take back";
    texts[UiText::Error].text = u"error";
    window = host.ui.CreateModeless(IDD_CAPTURE_WINDOW, handler, nullptr);
    if (window == nullptr) return;
    listView = static_cast<headless::HeadlessListView*>(window->ListViewControl(IDC_THUMBNAILS));
    if (listView == nullptr) return;
    listView->clientWidth = clientWidth;
    list.SetOrderFixed(orderFixed);
    initialised = list.Initialise(*window, IDC_THUMBNAILS);
    list.SetCountCallback([](int count) { counts().push_back(count); });
  }

  // Writes a one-colour picture into the folder; its path as the list sees it.
  std::u16string Picture(const std::string& name, int width, int height,
                         Colour colour = {200, 30, 40}, Format format = Format::Bmp) {
    const std::filesystem::path file = folder.Path() / name;
    EXPECT_TRUE(testing_support::WriteSolidPicture(file, width, height, colour, format)) << name;
    return file.generic_u16string();
  }
  std::u16string File(const std::string& name, const std::string& content) {
    return folder.WriteFile(name, content).generic_u16string();
  }

  // Adds the file and lets the UI thread run the posted insert.
  int Add(const std::u16string& path) {
    const int image = list.AddImage(path);
    host.ui.RunPostedTasks();
    return image;
  }
  // Picture `i` is "a.bmp", "b.bmp" ... (past "z", "n26.bmp" ...), 40 x 30,
  // of a colour of its own.
  static std::string NameOf(int i) {
    return i < 26 ? std::string(1, static_cast<char>('a' + i)) : "n" + std::to_string(i);
  }
  static Colour ColourOf(int i) {
    return Colour{static_cast<uint8_t>(2 * i), static_cast<uint8_t>(250 - 2 * i), 90};
  }
  std::u16string PictureOf(int i) { return Picture(NameOf(i) + ".bmp", 40, 30, ColourOf(i)); }
  // Adds pictures `first` to `first + count - 1`; their paths.
  Texts AddPictures(int count, int first = 0) {
    Texts paths;
    for (int i = first; i < first + count; ++i) {
      paths.push_back(PictureOf(i));
      Add(paths.back());
    }
    return paths;
  }
  // The list shows the pictures of these letters, in this order, each item
  // with its own picture, and names their files in this order.
  void ExpectItems(const std::string& letters) const {
    Texts names, files;
    for (char letter : letters) {
      names.push_back(std::u16string(1, letter));
      files.push_back((folder.Path() / (std::string(1, letter) + ".bmp")).generic_u16string());
    }
    EXPECT_EQ(ItemTexts(), names);
    EXPECT_EQ(list.ListedFiles(), files);
    for (size_t item = 0; item < listView->items.size() && item < letters.size(); ++item) {
      EXPECT_EQ(CentreOfItem(static_cast<int>(item)), ColourOf(letters[item] - 'a')) << item;
    }
  }

  // A right click on `item` (-1: empty space), choosing the entry of
  // `command`; false when the menu did not offer it enabled (nothing was
  // chosen then).
  bool Choose(int item, int command) {
    listView->menuChooser = [command](const headless::HeadlessListView::MenuShown&) {
      return command;
    };
    listView->UserRightClick(item);
    const bool chosen = host.ui.RunPostedTasks() > 0;
    listView->menuChooser = nullptr;
    return chosen;
  }
  // The last menu shown, entry by entry: its text and command, and "off"
  // when it cannot be chosen.
  std::string LastMenu() const {
    if (listView->menusShown.empty()) return "none";
    std::string text;
    for (const platform::MenuEntry& entry : listView->menusShown.back().entries) {
      text += (text.empty() ? "" : " | ") + std::string(entry.text.begin(), entry.text.end()) +
              " " + std::to_string(entry.command) + (entry.enabled ? "" : " off");
    }
    return text;
  }
  // Selects `item` alone, or with `alsoSelected`, and presses Delete.
  void DeleteWithKey(int item, int alsoSelected = -1) {
    listView->UserSelectOnly(item);
    if (alsoSelected >= 0) listView->UserAddToSelection(alsoSelected);
    EXPECT_TRUE(listView->UserPressKey(platform::kKeyDelete));
  }
  // Ctrl with a key, on the list.
  void PressControl(int virtualKey) { (void)listView->UserPressKey(virtualKey, true); }
  Texts ItemTexts() const {
    Texts result;
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
  Colour PixelOfImage(int image, int x, int y) const {
    const platform::RgbImage& picture = listView->images.at(static_cast<size_t>(image));
    const uint8_t* p = picture.pixels.data() + (static_cast<size_t>(y) * picture.width + x) * 3;
    return Colour{p[0], p[1], p[2]};
  }
  // The folder deleted files wait in, and what it holds.
  std::filesystem::path AsideFolder() const { return folder.Path() / "Deleted"; }
  std::vector<std::string> AsideFiles() const {
    return testing_support::SortedNames(AsideFolder());
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
};

}  // namespace thumbnail_tests
