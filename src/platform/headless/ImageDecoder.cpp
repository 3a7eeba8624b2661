#include "platform/headless/ImageDecoder.h"

#include <cstdio>
#include <memory>

// The decoder's functions stay private to this file, so that other stb
// users linked into the same program cannot clash with them.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb/stb_image.h>

namespace headless {
namespace {

struct StbFree {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};
using StbPixels = std::unique_ptr<stbi_uc, StbFree>;

struct FileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

struct Header {
  platform::ImageSize size;
  int channels = 0;
};

std::optional<Header> Accept(int width, int height, int channels) {
  if (width <= 0 || height <= 0) return std::nullopt;
  const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (pixels > platform::kMaxImagePixels) return std::nullopt;
  Header header;
  header.size.width = static_cast<uint32_t>(width);
  header.size.height = static_cast<uint32_t>(height);
  header.channels = channels;
  return header;
}

std::optional<Header> HeaderOf(const uint8_t* data, size_t size) {
  if (data == nullptr || size == 0 || size > INT32_MAX) return std::nullopt;
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels)) {
    return std::nullopt;
  }
  return Accept(width, height, channels);
}

std::optional<Header> HeaderOf(std::FILE* file) {
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_file(file, &width, &height, &channels)) return std::nullopt;
  return Accept(width, height, channels);
}

bool HasAlpha(int channels) { return channels == 2 || channels == 4; }

// Decoded pixels (3 or 4 channels) as RGB, alpha laid over white.
std::optional<platform::RgbImage> ToRgb(StbPixels pixels, int width, int height,
                                        int channels, const Header& header) {
  // The body must match the header that was checked.
  if (!pixels || static_cast<uint32_t>(width) != header.size.width ||
      static_cast<uint32_t>(height) != header.size.height) {
    return std::nullopt;
  }
  platform::RgbImage image;
  image.width = width;
  image.height = height;
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  image.pixels.resize(count * 3);
  const stbi_uc* in = pixels.get();
  uint8_t* out = image.pixels.data();
  for (size_t i = 0; i < count; ++i, in += channels, out += 3) {
    if (channels == 4) {
      const unsigned alpha = in[3];
      for (int c = 0; c < 3; ++c) {
        out[c] = static_cast<uint8_t>((in[c] * alpha + 255u * (255u - alpha) + 127u) / 255u);
      }
    } else {
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
    }
  }
  return image;
}

}  // namespace

std::optional<platform::ImageSize> ReadImageHeader(const uint8_t* data, size_t size) {
  const std::optional<Header> header = HeaderOf(data, size);
  if (!header) return std::nullopt;
  return header->size;
}

std::optional<platform::RgbImage> DecodeImage(const uint8_t* data, size_t size) {
  const std::optional<Header> header = HeaderOf(data, size);
  if (!header) return std::nullopt;
  const int wanted = HasAlpha(header->channels) ? 4 : 3;
  int width = 0, height = 0, channels = 0;
  StbPixels pixels(stbi_load_from_memory(data, static_cast<int>(size), &width, &height,
                                         &channels, wanted));
  return ToRgb(std::move(pixels), width, height, wanted, *header);
}

std::optional<platform::ImageSize> ReadImageFileHeader(const std::string& path) {
  std::unique_ptr<std::FILE, FileClose> file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  const std::optional<Header> header = HeaderOf(file.get());
  if (!header) return std::nullopt;
  return header->size;
}

std::optional<platform::RgbImage> DecodeImageFile(const std::string& path) {
  std::unique_ptr<std::FILE, FileClose> file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  const std::optional<Header> header = HeaderOf(file.get());
  if (!header) return std::nullopt;
  const int wanted = HasAlpha(header->channels) ? 4 : 3;
  int width = 0, height = 0, channels = 0;
  StbPixels pixels(stbi_load_from_file(file.get(), &width, &height, &channels, wanted));
  return ToRgb(std::move(pixels), width, height, wanted, *header);
}

}  // namespace headless
