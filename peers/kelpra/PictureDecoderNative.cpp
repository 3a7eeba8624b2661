#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>
#include <png.h>

#include "KelpraConfig.h"
#include "PictureDecoder.h"

namespace kelpra {
namespace {

bool WithinLimits(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= static_cast<uint64_t>(limits::kMaxSide) &&
         height <= static_cast<uint64_t>(limits::kMaxSide) &&
         width * height <= static_cast<uint64_t>(limits::kMaxPixels);
}

// Whether every chunk up to the pixels fits in the bytes: libpng reads a
// text or profile chunk whole into a block of its declared length.
bool ChunksFit(const std::string& bytes) {
  size_t at = 8;
  while (at + 12 <= bytes.size()) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data() + at);
    const uint32_t length = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    if (length > bytes.size() - at - 12) return false;
    if (bytes.compare(at + 4, 4, "IDAT") == 0) return true;
    at += 12 + static_cast<size_t>(length);
  }
  return false;
}

bool DecodePng(const std::string& bytes, Image& image) {
  if (!ChunksFit(bytes)) return false;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return false;
  if (!WithinLimits(png.width, png.height)) {
    png_image_free(&png);
    return false;
  }
  const bool grey = (png.format & PNG_FORMAT_FLAG_COLOR) == 0;
  png.format = grey ? PNG_FORMAT_GRAY : PNG_FORMAT_RGB;
  Image out(static_cast<int>(png.width), static_cast<int>(png.height), grey ? 1 : 3);
  const png_color white{255, 255, 255};
  if (!png_image_finish_read(&png, &white, out.pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  image = std::move(out);
  return true;
}

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

// No object with a destructor lives between setjmp and the decoder calls
// that may jump back to it.
bool DecodeJpegInto(const std::string& bytes, jpeg_decompress_struct& info, Image& image) {
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (!WithinLimits(info.image_width, info.image_height)) return false;
  const bool grey = info.num_components == 1;
  info.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  // A progressive picture's coefficients (128 bytes a block) only as many
  // as the bytes can code, one bit a block at least, besides 16 MB of rows.
  info.mem->max_memory_to_use =
      static_cast<long>((16u << 20) + std::min<uint64_t>(bytes.size(), 256u << 10) * 1024);
  jpeg_start_decompress(&info);
  image = Image(static_cast<int>(info.image_width), static_cast<int>(info.image_height),
                grey ? 1 : 3);
  if (static_cast<int>(info.output_components) != image.channels) return false;
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.pixels.data() + info.output_scanline * image.Stride();
    if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(&info);
  return true;
}

bool DecodeJpeg(const std::string& bytes, Image& image) {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = OnJpegError;
  errors.manager.output_message = IgnoreJpegMessage;
  Image out;
  volatile bool decoded = false;
  if (setjmp(errors.jump) == 0) {
    jpeg_create_decompress(&info);
    decoded = DecodeJpegInto(bytes, info, out);
  }
  jpeg_destroy_decompress(&info);
  if (decoded) image = std::move(out);
  return decoded;
}

}  // namespace

bool DecodePngOrJpeg(const std::string& bytes, Image& image) {
  if (IsPng(bytes)) return DecodePng(bytes, image);
  if (IsJpeg(bytes)) return DecodeJpeg(bytes, image);
  return false;
}

}  // namespace kelpra
