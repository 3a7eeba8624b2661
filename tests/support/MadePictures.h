// Picture files made for the tests that show pictures: one colour in any
// format, and BMP bytes put together field by field (headers that lie,
// palettes, run-length pixels).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/PictureWriters.h"

namespace testing_support {

struct Colour {
  uint8_t r, g, b;
  bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
};
constexpr Colour kWhite{255, 255, 255};

enum class Format { Bmp, Png, Jpeg };

// A picture of one colour; false when it could not be written.
inline bool WriteSolidPicture(const std::filesystem::path& file, int width, int height,
                              Colour colour, Format format = Format::Bmp) {
  std::FILE* out = std::fopen(file.string().c_str(), "wb");
  if (out == nullptr) return false;
  const uint8_t pixel[3] = {colour.r, colour.g, colour.b};
  const RowSource rows = [&](uint32_t, uint8_t* rgb) {
    for (int x = 0; x < width; ++x) std::copy(pixel, pixel + 3, rgb + x * 3);
  };
  const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
  const bool written = format == Format::Bmp   ? WriteBmp(out, w, h, rows)
                       : format == Format::Png ? WritePng(out, w, h, rows, false)
                                               : WriteJpeg(out, w, h, rows, 95);
  return std::fclose(out) == 0 && written;
}

inline std::string Le32(uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
          static_cast<char>(v >> 24)};
}

// The fields of a BMP with a 40-byte information header.
struct BmpFields {
  BmpFields(int32_t w, int32_t h, int b = 24, uint32_t c = 0, std::vector<Colour> p = {})
      : width(w), height(h), bits(b), compression(c), palette(std::move(p)) {}
  int32_t width, height;
  int bits;
  uint32_t compression;
  std::vector<Colour> palette;
  std::string gap;  // between the palette and the pixels
  uint32_t coloursUsed = 0;
};

// The file: its header, palette and gap, then `pixels` as stored.
inline std::string BmpBytes(const BmpFields& f, const std::string& pixels = "") {
  const uint32_t offset = static_cast<uint32_t>(54 + 4 * f.palette.size() + f.gap.size());
  std::string bmp = "BM" + Le32(offset + static_cast<uint32_t>(pixels.size())) + Le32(0) +
                    Le32(offset) + Le32(40) + Le32(static_cast<uint32_t>(f.width)) +
                    Le32(static_cast<uint32_t>(f.height)) + std::string{1, 0} +
                    std::string{static_cast<char>(f.bits), 0} + Le32(f.compression) +
                    Le32(static_cast<uint32_t>(pixels.size())) + Le32(2835) + Le32(2835) +
                    Le32(f.coloursUsed) + Le32(0);
  for (const Colour& c : f.palette) {
    bmp += std::string{static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r), 0};
  }
  return bmp + f.gap + pixels;
}

// A 24-bit BMP header declaring this size, without any pixels.
inline std::string BmpHeaderOnly(int32_t width, int32_t height) {
  return BmpBytes({width, height});
}

}  // namespace testing_support
