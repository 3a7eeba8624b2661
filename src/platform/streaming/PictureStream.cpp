#include "platform/streaming/PictureStream.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/streaming/AreaReducer.h"
#include "platform/streaming/Decoders.h"

namespace streaming {
namespace detail {

std::optional<platform::ImageSize> AcceptSize(uint64_t width, uint64_t height) {
  if (width == 0 || height == 0 || width > UINT32_MAX || height > UINT32_MAX ||
      width * height > platform::kMaxImagePixels) {
    return std::nullopt;
  }
  return platform::ImageSize{static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
}

platform::ImageSize Chosen(const SizeChoice& choose, platform::ImageSize picture) {
  platform::ImageSize size = choose(picture);
  size.width = std::max<uint32_t>(1, size.width);
  size.height = std::max<uint32_t>(1, size.height);
  return size;
}

Reduced ResultOf(platform::ImageSize size, bool sizeOnly, bool decoded, AreaReducer* reducer) {
  Reduced result;
  result.size = size;
  if (sizeOnly) {
    result.outcome = Outcome::Done;
  } else if (decoded && reducer != nullptr && reducer->Received()) {
    result.outcome = Outcome::Done;
    result.pixels = reducer->Finish();
  }
  return result;
}

}  // namespace detail

namespace {

constexpr size_t kSniffBytes = 8;
constexpr size_t kHeaderPiece = 4096;

Reduced Decode(ByteSource& source, const SizeChoice* choose, PictureFormat* format) {
  // A header is read in small pieces; pixels in large ones.
  Reader reader(source, choose == nullptr ? kHeaderPiece : Reader::kDefaultCapacity);
  // As many of the first bytes as there are, up to what tells the formats
  // apart.
  *format = PictureFormat::Unknown;
  for (size_t count = kSniffBytes; count >= 2; --count) {
    if (const uint8_t* head = reader.Peek(count)) {
      *format = FormatOf(head, count);
      break;
    }
  }
  switch (*format) {
    case PictureFormat::Bmp:
      return detail::DecodeBmp(reader, choose);
    case PictureFormat::Jpeg:
      return detail::DecodeJpeg(reader, choose);
    case PictureFormat::Png:
      return detail::DecodePng(reader, choose);
    case PictureFormat::Unknown:
      break;
  }
  Reduced none;
  none.outcome = Outcome::NotMine;
  return none;
}

}  // namespace

PictureFormat FormatOf(const uint8_t* head, size_t size) {
  static const uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 2 && head[0] == 'B' && head[1] == 'M') return PictureFormat::Bmp;
  if (size >= sizeof kPng && std::memcmp(head, kPng, sizeof kPng) == 0) return PictureFormat::Png;
  if (size >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) {
    return PictureFormat::Jpeg;
  }
  return PictureFormat::Unknown;
}

Header ReadHeader(ByteSource& source) {
  Header header;
  const Reduced read = Decode(source, nullptr, &header.format);
  header.outcome = read.outcome;
  header.size = read.size;
  return header;
}

Reduced ReducePicture(ByteSource& source, const SizeChoice& choose) {
  PictureFormat format = PictureFormat::Unknown;
  return Decode(source, &choose, &format);
}

Reduced ThumbnailCell(ByteSource& source, const platform::ThumbnailLayout& layout) {
  const SizeChoice fast = [&layout](platform::ImageSize) {
    return platform::ImageSize{static_cast<uint32_t>(std::max(1, layout.scaledWidth)),
                               static_cast<uint32_t>(std::max(1, layout.scaledHeight))};
  };
  Reduced reduced = ReducePicture(source, fast);
  if (reduced.outcome == Outcome::Done) reduced.pixels = LetterboxOnWhite(reduced.pixels, layout);
  return reduced;
}

platform::ImageSize PanePictureSize(platform::ImageSize picture) {
  const uint64_t width = std::max<uint32_t>(1, picture.width);
  const uint64_t height = std::max<uint32_t>(1, picture.height);
  if (width <= kPanePictureSide && height <= kPanePictureSide) {
    return platform::ImageSize{static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
  }
  if (width >= height) {
    return platform::ImageSize{
        kPanePictureSide,
        static_cast<uint32_t>(std::max<uint64_t>(1, height * kPanePictureSide / width))};
  }
  return platform::ImageSize{
      static_cast<uint32_t>(std::max<uint64_t>(1, width * kPanePictureSide / height)),
      kPanePictureSide};
}

}  // namespace streaming
