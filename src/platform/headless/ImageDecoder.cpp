#include "platform/headless/ImageDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>
#include <png.h>

// BMP only: the decoder's functions stay private to this file, so that
// other stb users linked into the same program cannot clash with them.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb/stb_image.h>

namespace headless {
namespace {

// Files larger than this are not read for a thumbnail.
constexpr uint64_t kMaxFileBytes = 1ull << 30;

enum class Format { Unknown, Bmp, Png, Jpeg };

Format FormatOf(const uint8_t* data, size_t size) {
  static const uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return Format::Bmp;
  if (size >= sizeof kPng && std::memcmp(data, kPng, sizeof kPng) == 0) return Format::Png;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return Format::Jpeg;
  return Format::Unknown;
}

std::optional<platform::ImageSize> Accept(uint64_t width, uint64_t height) {
  if (width == 0 || height == 0 || width > UINT32_MAX || height > UINT32_MAX ||
      width * height > platform::kMaxImagePixels) {
    return std::nullopt;
  }
  return platform::ImageSize{static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
}

// A decoder fills `image` (sized from the accepted header) or fails; with
// `image` null it reads the header only.
using Decoded = std::optional<platform::ImageSize>;

platform::RgbImage BlankImage(platform::ImageSize size) {
  platform::RgbImage image;
  image.width = static_cast<int>(size.width);
  image.height = static_cast<int>(size.height);
  image.pixels.resize(static_cast<size_t>(size.width) * size.height * 3);
  return image;
}

// BMP through stb.
Decoded ReadBmp(const uint8_t* data, size_t size, platform::RgbImage* image) {
  if (size > INT32_MAX) return std::nullopt;
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) ||
      width <= 0 || height <= 0) {
    return std::nullopt;
  }
  const Decoded header = Accept(static_cast<uint64_t>(width), static_cast<uint64_t>(height));
  if (!header || image == nullptr) return header;
  const bool alpha = channels == 4;
  const int wanted = alpha ? 4 : 3;
  int gotWidth = 0, gotHeight = 0, gotChannels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load_from_memory(data, static_cast<int>(size), &gotWidth, &gotHeight, &gotChannels,
                            wanted),
      stbi_image_free);
  if (!pixels || gotWidth != width || gotHeight != height) return std::nullopt;
  *image = BlankImage(*header);
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  const stbi_uc* in = pixels.get();
  uint8_t* out = image->pixels.data();
  for (size_t i = 0; i < count; ++i, in += wanted, out += 3) {
    const unsigned a = alpha ? in[3] : 255u;
    for (int c = 0; c < 3; ++c) {
      out[c] = static_cast<uint8_t>((in[c] * a + 255u * (255u - a) + 127u) / 255u);
    }
  }
  return header;
}

// PNG through libpng; transparency is laid over white by libpng itself.
Decoded ReadPng(const uint8_t* data, size_t size, platform::RgbImage* image) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size)) {
    png_image_free(&png);
    return std::nullopt;
  }
  const Decoded header = Accept(png.width, png.height);
  if (!header || image == nullptr) {
    png_image_free(&png);
    return header;
  }
  png.format = PNG_FORMAT_RGB;
  *image = BlankImage(*header);
  png_color white{255, 255, 255};
  const bool read = png_image_finish_read(&png, &white, image->pixels.data(), 0, nullptr) != 0;
  png_image_free(&png);
  if (!read) return std::nullopt;
  return header;
}

// libjpeg reports errors by calling error_exit, which must not return.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void LeaveJpeg(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}
void IgnoreJpegMessage(j_common_ptr) {}

// Only plain data lives in this function: longjmp skips no destructor.
bool RunJpeg(const uint8_t* data, size_t size, platform::ImageSize* declared,
             platform::RgbImage* image) {
  jpeg_decompress_struct info;
  JpegErrors errors;
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = LeaveJpeg;
  errors.manager.output_message = IgnoreJpegMessage;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  declared->width = info.image_width;
  declared->height = info.image_height;
  if (image == nullptr || !Accept(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return true;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_width != info.image_width || info.output_height != info.image_height ||
      info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  const size_t stride = static_cast<size_t>(info.output_width) * 3;
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image->pixels.data() + stride * info.output_scanline;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) break;
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

Decoded ReadJpeg(const uint8_t* data, size_t size, platform::RgbImage* image) {
  if (size > ULONG_MAX) return std::nullopt;
  platform::ImageSize declared;
  // The header first, then the pixels into an image of the accepted size.
  if (!RunJpeg(data, size, &declared, nullptr)) return std::nullopt;
  const Decoded header = Accept(declared.width, declared.height);
  if (!header || image == nullptr) return header;
  *image = BlankImage(*header);
  if (!RunJpeg(data, size, &declared, image)) return std::nullopt;
  return header;
}

Decoded Read(const uint8_t* data, size_t size, platform::RgbImage* image) {
  if (data == nullptr) return std::nullopt;
  switch (FormatOf(data, size)) {
    case Format::Bmp:
      return ReadBmp(data, size, image);
    case Format::Png:
      return ReadPng(data, size, image);
    case Format::Jpeg:
      return ReadJpeg(data, size, image);
    case Format::Unknown:
      break;
  }
  return std::nullopt;
}

std::optional<std::vector<uint8_t>> FileBytes(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    if (bytes.size() + got > kMaxFileBytes) return std::nullopt;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<platform::ImageSize> ReadImageHeader(const uint8_t* data, size_t size) {
  return Read(data, size, nullptr);
}

std::optional<platform::RgbImage> DecodeImage(const uint8_t* data, size_t size) {
  platform::RgbImage image;
  if (!Read(data, size, &image)) return std::nullopt;
  return image;
}

std::optional<platform::ImageSize> ReadImageFileHeader(const std::string& path) {
  const std::optional<std::vector<uint8_t>> bytes = FileBytes(path);
  if (!bytes) return std::nullopt;
  return ReadImageHeader(bytes->data(), bytes->size());
}

std::optional<platform::RgbImage> DecodeImageFile(const std::string& path) {
  const std::optional<std::vector<uint8_t>> bytes = FileBytes(path);
  if (!bytes) return std::nullopt;
  return DecodeImage(bytes->data(), bytes->size());
}

}  // namespace headless
