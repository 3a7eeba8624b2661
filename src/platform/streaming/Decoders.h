// The three streaming decoders behind PictureStream. Each reads its header
// first and refuses a picture with a zero side or more than
// platform::kMaxImagePixels before anything is allocated for its pixels;
// without a size choice it stops after the header.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/streaming/AreaReducer.h"
#include "platform/streaming/ByteSource.h"
#include "platform/streaming/PictureStream.h"

namespace streaming::detail {

std::optional<platform::ImageSize> AcceptSize(uint64_t width, uint64_t height);
// The chosen size with no side below 1.
platform::ImageSize Chosen(const SizeChoice& choose, platform::ImageSize picture);

// What a decoder of a picture of accepted `size` gives: the size alone when
// no size was chosen (`sizeOnly`), else the reduced rows once at least one
// arrived, else a refusal.
Reduced ResultOf(platform::ImageSize size, bool sizeOnly, bool decoded, AreaReducer* reducer);

Reduced DecodeBmp(Reader& reader, const SizeChoice* choose);
Reduced DecodeJpeg(Reader& reader, const SizeChoice* choose);
Reduced DecodePng(Reader& reader, const SizeChoice* choose);

}  // namespace streaming::detail
