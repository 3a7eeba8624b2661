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

enum class ListViewEvent { DoubleClick, RightClick };

class ListView {
 public:
  virtual ~ListView() = default;

  // Gives the control a new, empty image list of pictures of this size
  // (the normal icons); the list view shares it and does not destroy it.
  virtual void SetImageSize(int width, int height) = 0;
  // Appends a picture of exactly the image size; its index, or -1.
  virtual int AddImage(const RgbImage& image) = 0;
  virtual int ImageCount() const = 0;
  // Empties the image list; the next picture added gets index 0. Only for
  // a list whose items show none of its images any more.
  virtual void RemoveAllImages() = 0;

  // Inserts an item (the list places it at the end when `index` is past
  // the last item); the index it got, or -1.
  virtual int InsertItem(int index, const std::u16string& text, int image) = 0;
  virtual bool DeleteItem(int index) = 0;
  virtual int ItemCount() const = 0;
  virtual std::u16string ItemText(int index) const = 0;
  virtual int ItemImage(int index) const = 0;

  // Multiple selection: the first selected item after `after` (-1 starts
  // at the top), or -1 when there is none.
  virtual int NextSelected(int after) const = 0;
  virtual void SetItemSelected(int index, bool selected) = 0;
  // The item the user last selected or clicked, or -1.
  virtual int SelectionMark() const = 0;
  virtual void EnsureVisible(int index) = 0;
  virtual int ClientWidth() const = 0;

  // The user's double and right clicks, with the item under the cursor (-1
  // for empty space). An empty function removes the handler.
  using EventHandler = std::function<void(ListViewEvent event, int item)>;
  virtual void SetEventHandler(EventHandler handler) = 0;

  // Shows a pop-up menu of one item at the cursor, owned by the control and
  // tracking the right button; the command chosen, or 0 when dismissed.
  virtual int TrackPopupMenu(const std::u16string& text, int command) = 0;
};

}  // namespace platform
