// Picture files read as a stream and scaled while they are read: the
// thumbnails of the thumbnail list and the pictures of the merge preview's
// panes, on both platforms. BMP row by row, JPEG through libjpeg-turbo
// scaled while it decodes, PNG row by row (interlaced too); no picture is
// ever held at its full size. Any other format is left to the platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/Imaging.h"
#include "platform/streaming/ByteSource.h"

namespace streaming {

enum class PictureFormat { Unknown, Bmp, Png, Jpeg };

// The format the first bytes of a file announce.
PictureFormat FormatOf(const uint8_t* head, size_t size);

enum class Outcome {
  Done,
  // Not a format read here: the platform's own decoder may try.
  NotMine,
  // A picture of these formats that is refused: broken, no pixels at all,
  // a zero side or more than platform::kMaxImagePixels.
  Refused,
};

struct Header {
  Outcome outcome = Outcome::Refused;
  PictureFormat format = PictureFormat::Unknown;
  platform::ImageSize size;  // as declared, when Done
};

// The header only.
Header ReadHeader(ByteSource& source);

// The size to scale a picture of the given size to; called once its header
// has been accepted. Sides below 1 count as 1.
using SizeChoice = std::function<platform::ImageSize(platform::ImageSize picture)>;

struct Reduced {
  Outcome outcome = Outcome::Refused;
  platform::ImageSize size;     // the picture's own size, when Done
  platform::RgbImage pixels;    // the picture at the chosen size, when Done
};

// The picture scaled by area averaging to the chosen size. A file cut short
// gives the rows it has, the rest white; one without a single row of pixels
// is refused.
Reduced ReducePicture(ByteSource& source, const SizeChoice& choose);

// The thumbnail cell of `layout`: the picture scaled to the layout's
// fast-thumbnail size, then into its placement on white. `pixels` is the
// cell; `size` the picture's own.
Reduced ThumbnailCell(ByteSource& source, const platform::ThumbnailLayout& layout);

// Pane pictures are held at most this many pixels wide or high: a pane
// shows far fewer, and a whole picture is what a 32-bit process must not
// hold for every pane.
constexpr uint32_t kPanePictureSide = 1024;

// The size a pane keeps of a picture: its own when it fits in
// kPanePictureSide squared, else scaled down to fit with its aspect kept.
platform::ImageSize PanePictureSize(platform::ImageSize picture);

}  // namespace streaming
