#include "thumbnails/PictureFiles.h"

#include <cstdio>

#include <jpeglib.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace thumbnail_tests {
namespace {

// JPEG through libjpeg: stb's JPEG writer shifts negative values, which the
// sanitizer build refuses.
bool WriteJpeg(const std::filesystem::path& file, int width, int height,
               const std::vector<uint8_t>& rgb) {
  std::FILE* out = std::fopen(file.string().c_str(), "wb");
  if (out == nullptr) return false;
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, out);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const size_t offset = static_cast<size_t>(info.next_scanline) * width * 3;
    JSAMPROW row = const_cast<uint8_t*>(rgb.data()) + offset;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(out) == 0;
}

}  // namespace

bool WriteSolidPicture(const std::filesystem::path& file, int width, int height, Colour colour,
                       Format format) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < pixels.size(); i += 3) {
    pixels[i] = colour.r;
    pixels[i + 1] = colour.g;
    pixels[i + 2] = colour.b;
  }
  const std::string name = file.string();
  switch (format) {
    case Format::Bmp:
      return stbi_write_bmp(name.c_str(), width, height, 3, pixels.data()) != 0;
    case Format::Png:
      return stbi_write_png(name.c_str(), width, height, 3, pixels.data(), width * 3) != 0;
    case Format::Jpeg:
      return WriteJpeg(file, width, height, pixels);
  }
  return false;
}

bool WriteRgbPng(const std::filesystem::path& file, int width, int height,
                 const std::vector<uint8_t>& rgb) {
  return stbi_write_png(file.string().c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

bool WriteHalfTransparentPng(const std::filesystem::path& file, int width, int height,
                             Colour colour) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* p = pixels.data() + (static_cast<size_t>(y) * width + x) * 4;
      p[0] = colour.r;
      p[1] = colour.g;
      p[2] = colour.b;
      p[3] = x < width / 2 ? 0 : 255;
    }
  }
  return stbi_write_png(file.string().c_str(), width, height, 4, pixels.data(), width * 4) != 0;
}

std::string BmpHeaderOnly(int32_t width, int32_t height) {
  std::string header(54, '\0');
  auto put32 = [&header](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) header[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  header[0] = 'B';
  header[1] = 'M';
  put32(2, 54);
  put32(10, 54);  // pixels would start here
  put32(14, 40);  // information header size
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  header[26] = 1;   // planes
  header[28] = 24;  // bits per pixel
  return header;
}

}  // namespace thumbnail_tests
