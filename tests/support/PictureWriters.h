// Picture files of any size written row by row, never held whole: BMP of
// every depth and row order, JPEG at a quality, PNG plain or interlaced.
// Portable: the native tests, the Windows tests and the benchmark share it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>

namespace testing_support {

// Fills row `y` of the picture as RGB.
using RowSource = std::function<void(uint32_t y, uint8_t* rgb)>;

struct BmpKind {
  int bits = 24;         // 1, 4 and 8 with a grey palette, 16 (5-5-5), 24, 32
  bool topDown = false;  // rows stored top first (negative height)
  // 32 bits only: the alpha byte of every pixel, and whether the header
  // names an alpha mask (BI_BITFIELDS with a version 5 header).
  uint8_t alpha = 255;
  bool alphaMask = false;
};

// What a pixel becomes when stored as `kind`, as RGB again: what a decoder
// of the file should see.
void StoredColour(const BmpKind& kind, uint8_t* rgb);

bool WriteBmp(std::FILE* file, uint32_t width, uint32_t height, const RowSource& rows,
              const BmpKind& kind = {});
// Baseline, or progressive when `progressive`.
bool WriteJpeg(std::FILE* file, uint32_t width, uint32_t height, const RowSource& rows,
               int quality, bool progressive = false);
// zlib `level`; Adam7 interlacing when `interlaced`.
bool WritePng(std::FILE* file, uint32_t width, uint32_t height, const RowSource& rows,
              bool interlaced, int level = 6);

}  // namespace testing_support
