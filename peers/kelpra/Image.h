// An 8-bit picture with one (grey) or three (RGB) interleaved channels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelpra {

struct Image {
  int width = 0;
  int height = 0;
  int channels = 3;
  std::vector<uint8_t> pixels;

  Image() = default;
  Image(int w, int h, int c, uint8_t fill = 0)
      : width(w), height(h), channels(c), pixels(static_cast<size_t>(w) * h * c, fill) {}

  bool Empty() const { return width <= 0 || height <= 0; }
  size_t Stride() const { return static_cast<size_t>(width) * channels; }
  uint8_t* At(int x, int y) { return &pixels[y * Stride() + static_cast<size_t>(x) * channels]; }
  const uint8_t* At(int x, int y) const {
    return &pixels[y * Stride() + static_cast<size_t>(x) * channels];
  }
};

// A rectangle in pixels: left and top inclusive, right and bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
};

}  // namespace kelpra
