// Image files as thumbnails: the size a file declares, and the file
// decoded, scaled down and letterboxed into a thumbnail cell.
#pragma once

#include <cstdint>
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
};

}  // namespace platform
