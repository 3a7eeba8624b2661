// Real picture files for the thumbnail tests, written with stb's encoders.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace thumbnail_tests {

struct Colour {
  uint8_t r, g, b;
  bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
};

constexpr Colour kWhite{255, 255, 255};

enum class Format { Bmp, Png, Jpeg };

// A picture of one colour; false when it could not be written.
bool WriteSolidPicture(const std::filesystem::path& file, int width, int height, Colour colour,
                       Format format = Format::Bmp);
// RGB rows, top first, as a PNG file.
bool WriteRgbPng(const std::filesystem::path& file, int width, int height,
                 const std::vector<uint8_t>& rgb);
// A picture with an alpha channel: fully transparent left half, opaque
// `colour` right half (PNG).
bool WriteHalfTransparentPng(const std::filesystem::path& file, int width, int height,
                             Colour colour);
// The 54-byte header of a 24-bit BMP that declares this size, without any
// pixels.
std::string BmpHeaderOnly(int32_t width, int32_t height);

}  // namespace thumbnail_tests
