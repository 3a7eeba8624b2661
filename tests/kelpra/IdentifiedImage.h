// What ImageMagick's identify, a decoder independent of the library, reads
// from a picture file.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Image.h"

namespace kelpra_test {

struct IdentifiedImage {
  bool ok = false;
  std::string format;  // "BMP", "JPEG", "PNG", "TIFF"
  int width = 0;
  int height = 0;
  std::string colourSpace;  // "sRGB", "Gray"
  std::string type;         // "TrueColor", "Palette", "Grayscale", "Bilevel", ...
  double dpiX = 0;
  double dpiY = 0;

  // "WxH".
  std::string Size() const { return std::to_string(width) + "x" + std::to_string(height); }
  // Grey or black and white, by its channels or by its pixels.
  bool LooksGrey() const {
    return colourSpace == "Gray" || type == "Grayscale" || type == "Bilevel";
  }
};

// Whether ImageMagick, which the test command installs, is there; a test
// that reads pictures fails without it.
::testing::AssertionResult ImageMagickInstalled();
IdentifiedImage Identify(const std::string& path);

// The colour (r, g, b) of one pixel, through ImageMagick's convert. A
// picture that cannot be read, or lacks the pixel, fails the test.
std::array<int, 3> PixelAt(const std::string& path, int x, int y);

// The whole picture as RGB, through ImageMagick's convert.
bool DecodeRgb(const std::string& path, kelpra::Image& image);

}  // namespace kelpra_test
