// A photographed page of fine print, computed pixel by pixel so that
// pictures of any size can be written row by row: off-white paper with a
// little noise, margins, and lines of small glyphs made of one- and
// two-pixel strokes grouped into words. Thin strokes in a regular rhythm
// are what shows stripes and moiré when a picture is scaled down badly.
// Portable: the native tests, the Windows tests and the benchmark share it.
#pragma once

#include <cstdint>

namespace testing_support {

class TextPage {
 public:
  TextPage(uint32_t width, uint32_t height, uint32_t seed = 1)
      : width_(width), height_(height), seed_(seed) {}

  uint32_t Width() const { return width_; }
  uint32_t Height() const { return height_; }

  // The RGB colour of pixel (x, y).
  void Pixel(uint32_t x, uint32_t y, uint8_t* rgb) const {
    int level = Ink(x, y) ? 38 : 244;
    // Noise of a few grey levels, as a camera's sensor adds.
    level += static_cast<int>(Hash(x, y, seed_) % 13) - 6;
    rgb[0] = Clamp(level + 2);
    rgb[1] = Clamp(level);
    rgb[2] = Clamp(level - 5);
  }

  // A whole row, RGB.
  void Row(uint32_t y, uint8_t* rgb) const {
    for (uint32_t x = 0; x < width_; ++x) Pixel(x, y, rgb + static_cast<size_t>(x) * 3);
  }

 private:
  static constexpr uint32_t kLine = 42;     // pixels from one line to the next
  static constexpr uint32_t kGlyph = 14;    // pixels from one glyph to the next
  static constexpr uint32_t kXHeight = 18;  // height of a glyph

  static uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ c * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
  }
  static uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

  bool Ink(uint32_t x, uint32_t y) const {
    const uint32_t margin = width_ / 12;
    if (x < margin || x + margin >= width_ || y < margin / 2 || y + margin / 2 >= height_) {
      return false;
    }
    const uint32_t line = (y - margin / 2) / kLine;
    const uint32_t inLine = (y - margin / 2) % kLine;
    if (inLine < 12 || inLine >= 12 + kXHeight) return false;
    const uint32_t column = (x - margin) / kGlyph;
    const uint32_t gx = (x - margin) % kGlyph;
    const uint32_t gy = inLine - 12;
    const uint32_t glyph = Hash(line, column, seed_ + 7);
    // About one glyph in seven is the space between words.
    if (glyph % 7 == 0 || gx >= 10) return false;
    // Up to three vertical stems and three bars, one or two pixels thick.
    const uint32_t stemWidth = 1 + ((glyph >> 3) & 1);
    for (uint32_t stem = 0; stem < 3; ++stem) {
      if (((glyph >> (4 + stem)) & 1) && gx >= stem * 4 && gx < stem * 4 + stemWidth) return true;
    }
    for (uint32_t bar = 0; bar < 3; ++bar) {
      const uint32_t at = bar * 8;
      if (((glyph >> (8 + bar)) & 1) && gy >= at && gy < at + stemWidth) return true;
    }
    return false;
  }

  uint32_t width_;
  uint32_t height_;
  uint32_t seed_;
};

}  // namespace testing_support
