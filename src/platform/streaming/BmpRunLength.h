// Run-length BMP pixels (8 or 4 bits a pixel with a palette), read as the
// file stores them: bottom row first, each row handed to the reducer once
// the file moves past it. Pixels the file skips (end of line, a jump, end
// of picture) are white, as a transparent pixel drawn on white.
#pragma once

#include <array>
#include <cstdint>

#include "platform/streaming/AreaReducer.h"
#include "platform/streaming/ByteSource.h"

namespace streaming::detail {

using BmpPalette = std::array<std::array<uint8_t, 3>, 256>;

// Rows of this many pixels at most are read: every row is held whole while
// the runs fill it.
constexpr uint32_t kWidestRunLengthBmp = 1u << 18;

// Reads runs from `reader` into `reducer`, a picture of `width` (at most
// kWidestRunLengthBmp) x `height` pixels of `bits` 8 or 4, until the end of
// the picture, of its data or of the file.
void ReadRunLength(Reader& reader, int bits, const BmpPalette& palette, uint32_t width,
                   uint32_t height, AreaReducer& reducer);

}  // namespace streaming::detail
