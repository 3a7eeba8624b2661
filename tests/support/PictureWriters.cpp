#include "support/PictureWriters.h"

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <vector>

namespace testing_support {
namespace {

void Put16(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}
void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

int Grey(const uint8_t* rgb) { return (rgb[0] * 299 + rgb[1] * 587 + rgb[2] * 114 + 500) / 1000; }

// The palette index of a pixel at 1, 4 or 8 bits: its grey, quantised.
uint32_t IndexOf(int bits, const uint8_t* rgb) {
  const uint32_t top = (1u << bits) - 1;
  return (static_cast<uint32_t>(Grey(rgb)) * top + 127) / 255;
}
uint8_t PaletteGrey(int bits, uint32_t index) {
  const uint32_t top = (1u << bits) - 1;
  return static_cast<uint8_t>(index * 255 / top);
}

}  // namespace

void StoredColour(const BmpKind& kind, uint8_t* rgb) {
  if (kind.bits <= 8) {
    const uint8_t grey = PaletteGrey(kind.bits, IndexOf(kind.bits, rgb));
    rgb[0] = rgb[1] = rgb[2] = grey;
  } else if (kind.bits == 16) {
    // Five bits a channel, widened back to eight.
    for (int c = 0; c < 3; ++c) rgb[c] = static_cast<uint8_t>(((rgb[c] >> 3) * 255 + 15) / 31);
  } else if (kind.bits == 32 && kind.alphaMask && kind.alpha != 0) {
    const unsigned a = kind.alpha;
    for (int c = 0; c < 3; ++c) rgb[c] = static_cast<uint8_t>((rgb[c] * a + 255u * (255u - a) + 127u) / 255u);
  }
}

bool WriteBmp(std::FILE* file, uint32_t width, uint32_t height, const RowSource& rows,
              const BmpKind& kind) {
  const bool palette = kind.bits <= 8;
  const uint32_t colours = palette ? 1u << kind.bits : 0;
  const bool v5 = kind.bits == 32 && kind.alphaMask;
  const uint32_t infoSize = v5 ? 124 : 40;
  const uint32_t offset = 14 + infoSize + colours * 4;
  const uint64_t stride = (static_cast<uint64_t>(width) * kind.bits + 31) / 32 * 4;
  std::vector<uint8_t> header(offset, 0);
  header[0] = 'B';
  header[1] = 'M';
  Put32(header, 2, static_cast<uint32_t>(offset + stride * height));
  Put32(header, 10, offset);
  Put32(header, 14, infoSize);
  Put32(header, 18, width);
  Put32(header, 22, kind.topDown ? static_cast<uint32_t>(-static_cast<int32_t>(height)) : height);
  Put16(header, 26, 1);
  Put16(header, 28, static_cast<uint32_t>(kind.bits));
  Put32(header, 30, v5 ? 3 : 0);
  if (v5) {
    Put32(header, 54, 0x00FF0000u);
    Put32(header, 58, 0x0000FF00u);
    Put32(header, 62, 0x000000FFu);
    Put32(header, 66, 0xFF000000u);
  }
  // Blue, green and red of each entry alike; the fourth byte stays 0.
  for (uint32_t i = 0; i < colours; ++i) {
    std::fill_n(header.begin() + 14 + infoSize + i * 4, 3, PaletteGrey(kind.bits, i));
  }
  if (std::fwrite(header.data(), 1, header.size(), file) != header.size()) return false;

  std::vector<uint8_t> rgb(static_cast<size_t>(width) * 3);
  std::vector<uint8_t> stored(static_cast<size_t>(stride));
  for (uint32_t i = 0; i < height; ++i) {
    rows(kind.topDown ? i : height - 1 - i, rgb.data());
    std::fill(stored.begin(), stored.end(), 0);
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t* p = rgb.data() + static_cast<size_t>(x) * 3;
      switch (kind.bits) {
        case 1:
        case 4:
        case 8: {
          const uint32_t bit = x * static_cast<uint32_t>(kind.bits);
          stored[bit / 8] = static_cast<uint8_t>(
              stored[bit / 8] | IndexOf(kind.bits, p) << (8 - kind.bits - bit % 8));
          break;
        }
        case 16: {
          const uint32_t v = (p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3);
          stored[x * 2] = static_cast<uint8_t>(v);
          stored[x * 2 + 1] = static_cast<uint8_t>(v >> 8);
          break;
        }
        default: {  // 24 and 32 bits: blue, green, red, then alpha at 32
          uint8_t* pixel = stored.data() + static_cast<size_t>(x) * (kind.bits / 8);
          std::reverse_copy(p, p + 3, pixel);
          if (kind.bits == 32) pixel[3] = kind.alpha;
          break;
        }
      }
    }
    if (std::fwrite(stored.data(), 1, stored.size(), file) != stored.size()) return false;
  }
  return true;
}

bool WriteJpeg(std::FILE* file, uint32_t width, uint32_t height, const RowSource& rows,
               int quality, bool progressive) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    rows(info.next_scanline, rgb.data());
    JSAMPROW row = rgb.data();
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::ferror(file) == 0;
}

bool WritePng(std::FILE* file, uint32_t width, uint32_t height, const RowSource& rows,
              bool interlaced, int level) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * 3);
  if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, level);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  // libpng takes each whole row once per pass and picks the pass's pixels.
  const int passes = interlaced ? png_set_interlace_handling(png) : 1;
  for (int pass = 0; pass < passes; ++pass) {
    for (uint32_t y = 0; y < height; ++y) {
      rows(y, rgb.data());
      png_write_row(png, rgb.data());
    }
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::ferror(file) == 0;
}

}  // namespace testing_support
