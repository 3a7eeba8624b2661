// Image files as thumbnails: the size a file declares, and the file
// decoded, scaled down and letterboxed into a thumbnail cell. Pictures
// decoded for a picture pane, and where such a pane draws them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/ListView.h"
#include "platform/Ui.h"

namespace platform {

// Pictures larger than this are refused before any pixel is decoded.
constexpr uint64_t kMaxImagePixels = 250'000'000;

struct ImageSize {
  uint32_t width = 0;
  uint32_t height = 0;
};

// How a picture becomes a thumbnail: it is first scaled to `scaled`
// (the size of a fast thumbnail with the picture's aspect), then that is
// drawn with a good-quality downscale into `placement` of a cell of
// `cellWidth` x `cellHeight` filled with white. Transparent parts show white.
struct ThumbnailLayout {
  int cellWidth = 0;
  int cellHeight = 0;
  int scaledWidth = 0;
  int scaledHeight = 0;
  Rect placement;
};

// A decoded picture held for painting in a picture pane
// (Window::SetPanePicture). What it holds (a bitmap on Windows) is released
// with it.
class Picture {
 public:
  virtual ~Picture() = default;
  virtual ImageSize Size() const = 0;
};

// Where a picture of `pictureWidth` x `pictureHeight` goes in a pane of
// `paneWidth` x `paneHeight`: as large as fits with its aspect ratio kept,
// centred across the other direction (sizes and halved offsets truncated).
// Empty when any side is not positive, so that nothing divides by zero.
inline Rect FitPicture(int pictureWidth, int pictureHeight, int paneWidth, int paneHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || paneWidth <= 0 || paneHeight <= 0) return {};
  const float ratio = static_cast<float>(pictureWidth) / static_cast<float>(pictureHeight);
  const float paneRatio = static_cast<float>(paneWidth) / static_cast<float>(paneHeight);
  if (paneRatio < ratio) {
    int height = static_cast<int>(static_cast<float>(paneWidth) / ratio);
    if (height > paneHeight) height = paneHeight;
    const int top = (paneHeight - height) / 2;
    return Rect{0, top, paneWidth, top + height};
  }
  int width = static_cast<int>(static_cast<float>(paneHeight) * ratio);
  if (width > paneWidth) width = paneWidth;
  const int left = (paneWidth - width) / 2;
  return Rect{left, 0, left + width, paneHeight};
}

class Imaging {
 public:
  virtual ~Imaging() = default;
  // The picture's size from the file's header; nothing when the file does
  // not decode as a picture, declares a zero side or more than
  // kMaxImagePixels.
  virtual std::optional<ImageSize> ReadImageSize(const std::u16string& path) = 0;
  // The thumbnail cell (cellWidth x cellHeight pixels); nothing when the
  // file does not decode, with the same limits as ReadImageSize.
  virtual std::optional<RgbImage> MakeThumbnail(const std::u16string& path,
                                                const ThumbnailLayout& layout) = 0;
  // The picture, decoded for a picture pane: Size() is the picture's own,
  // the pixels held at most a pane's size of it (never the whole of a large
  // picture). Nothing when the file does not decode, with the same limits
  // as ReadImageSize, checked before any pixel is allocated.
  virtual std::unique_ptr<Picture> LoadPicture(const std::u16string& path) = 0;
};

}  // namespace platform
