// Reading the pictures camCombineImage joins: the platform's decoders for
// PNG and JPEG, stb_image for BMP, the own reader for TIFF; the DPI from each
// format's own field.
#include <stb_image.h>

#include <cmath>
#include <cstring>

#include "FileNames.h"
#include "ImageCodec.h"
#include "KelpraConfig.h"
#include "KelpraErrors.h"
#include "PictureDecoder.h"
#include "TiffFormat.h"

namespace kelpra {
namespace {

constexpr size_t kMaxInputBytes = 256u * 1024 * 1024;

uint32_t Little32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

uint32_t Big32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 |
         uint32_t(uint8_t(b[at + 2])) << 8 | uint32_t(uint8_t(b[at + 3]));
}

int DpiFromPerMetre(uint32_t perMetre) {
  if (perMetre == 0 || perMetre > 4000000) return 0;
  return static_cast<int>(std::lround(perMetre * 0.0254));
}

void ReadDpi(const std::string& b, int& dpiX, int& dpiY) {
  dpiX = dpiY = 0;
  if (b.size() >= 46 && b[0] == 'B' && b[1] == 'M') {
    dpiX = DpiFromPerMetre(Little32(b, 38));
    dpiY = DpiFromPerMetre(Little32(b, 42));
  } else if (b.size() >= 18 && uint8_t(b[0]) == 0xff && uint8_t(b[1]) == 0xd8 &&
             b.compare(6, 5, std::string("JFIF\0", 5)) == 0) {
    const int x = uint8_t(b[14]) << 8 | uint8_t(b[15]);
    const int y = uint8_t(b[16]) << 8 | uint8_t(b[17]);
    if (b[13] == 1) {
      dpiX = x;
      dpiY = y;
    } else if (b[13] == 2) {
      dpiX = static_cast<int>(std::lround(x * 2.54));
      dpiY = static_cast<int>(std::lround(y * 2.54));
    }
  } else if (b.size() >= 8 && b.compare(1, 3, "PNG") == 0) {
    size_t at = 8;
    while (at + 12 <= b.size()) {
      const uint32_t length = Big32(b, at);
      if (length > b.size() - at - 12) break;
      if (b.compare(at + 4, 4, "pHYs") == 0 && length == 9 && b[at + 16] == 1) {
        dpiX = DpiFromPerMetre(Big32(b, at + 8));
        dpiY = DpiFromPerMetre(Big32(b, at + 12));
        break;
      }
      if (b.compare(at + 4, 4, "IDAT") == 0) break;
      at += 12 + static_cast<size_t>(length);
    }
  }
}

}  // namespace

bool DecodeImage(const std::string& bytes, Image& image, int& dpiX, int& dpiY) {
  if (bytes.size() >= 4 &&
      (bytes.compare(0, 4, "II*\0", 4) == 0 || bytes.compare(0, 4, "MM\0*", 4) == 0))
    return DecodeTiff(bytes, image, dpiX, dpiY);
  if (IsPng(bytes) || IsJpeg(bytes)) {
    if (!DecodePngOrJpeg(bytes, image)) return false;
    ReadDpi(bytes, dpiX, dpiY);
    return true;
  }
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  if (bytes.size() > 0x7fffffff) return false;
  int width = 0, height = 0, channels = 0;
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int size = static_cast<int>(bytes.size());
  if (!stbi_info_from_memory(data, size, &width, &height, &channels) || width <= 0 || height <= 0 ||
      width > limits::kMaxSide || height > limits::kMaxSide ||
      static_cast<int64_t>(width) * height > limits::kMaxPixels)
    return false;
  const int wanted = channels <= 2 ? 1 : 3;
  stbi_uc* pixels = stbi_load_from_memory(data, size, &width, &height, &channels, wanted);
  if (!pixels) return false;
  Image out(width, height, wanted);
  std::memcpy(out.pixels.data(), pixels, out.pixels.size());
  stbi_image_free(pixels);
  ReadDpi(bytes, dpiX, dpiY);
  image = std::move(out);
  return true;
}

bool IsPng(const std::string& bytes) { return bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0; }

bool IsJpeg(const std::string& bytes) {
  return bytes.size() >= 3 && uint8_t(bytes[0]) == 0xff && uint8_t(bytes[1]) == 0xd8 &&
         uint8_t(bytes[2]) == 0xff;
}

int32_t ReadImageFile(const std::string& path, Image& image, int& dpiX, int& dpiY) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes, kMaxInputBytes)) return kErrReadFailed;
  return DecodeImage(bytes, image, dpiX, dpiY) ? kOk : kErrReadFailed;
}

}  // namespace kelpra
