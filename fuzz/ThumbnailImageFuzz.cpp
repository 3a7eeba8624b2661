// Picture files as the thumbnail list reads them: the header check, the
// decode, and the scaling into a thumbnail cell.
#include <cstddef>
#include <cstdint>

#include "platform/headless/ImageDecoder.h"
#include "platform/headless/ThumbnailScaler.h"
#include "thumbnails/ThumbnailGeometry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<platform::ImageSize> header = headless::ReadImageHeader(data, size);
  if (!header) return 0;
  // Declared sizes up to the real limit would cost hundreds of megabytes a
  // run; the decoder is fuzzed with pictures of up to 4 megapixels.
  if (static_cast<uint64_t>(header->width) * header->height > 4'000'000) return 0;
  const std::optional<platform::RgbImage> picture = headless::DecodeImage(data, size);
  if (!picture) return 0;
  // A decoded picture always has the size its header declared.
  if (picture->width != static_cast<int>(header->width) ||
      picture->height != static_cast<int>(header->height)) {
    __builtin_trap();
  }
  // The first bytes pick a cell: narrow lists included.
  const int clientWidth = 40 + static_cast<int>(data[0] % 120);
  const thumbnails::CellSize cell = thumbnails::CellForClientWidth(clientWidth);
  const platform::RgbImage thumbnail =
      headless::LetterboxOnWhite(*picture, thumbnails::LayoutFor(cell, *header));
  if (thumbnail.width != cell.width || thumbnail.height != cell.height ||
      thumbnail.pixels.size() != static_cast<size_t>(cell.width) * cell.height * 3) {
    __builtin_trap();
  }
  return 0;
}
