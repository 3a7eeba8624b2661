// BMP, PNG and JPEG through stb_image_write, TIFF through the own writer; the
// DPI goes into each format's own field.
#include <stb_image_write.h>

#include <algorithm>
#include <cmath>

#include "FileNames.h"
#include "ImageCodec.h"
#include "KelpraErrors.h"
#include "TiffFormat.h"

namespace kelpra {
namespace {

void AppendToString(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<size_t>(size));
}

uint32_t PixelsPerMetre(int dpi) { return static_cast<uint32_t>(std::lround(dpi / 0.0254)); }

void PutLittle32(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

void AppendBig32(std::string& bytes, uint32_t v) {
  for (int i = 3; i >= 0; --i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

uint32_t Crc32(const char* data, size_t size) {
  uint32_t crc = 0xffffffffu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= static_cast<uint8_t>(data[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::string EncodeBmp(const Image& image, int dpiX, int dpiY) {
  std::string bytes;
  if (!stbi_write_bmp_to_func(AppendToString, &bytes, image.width, image.height, image.channels,
                              image.pixels.data()) ||
      bytes.size() < 54)
    return "";
  // BITMAPINFOHEADER biXPelsPerMeter and biYPelsPerMeter.
  PutLittle32(bytes, 38, PixelsPerMetre(dpiX));
  PutLittle32(bytes, 42, PixelsPerMetre(dpiY));
  return bytes;
}

// stb writes no pHYs chunk; one is inserted right after IHDR.
std::string EncodePng(const Image& image, int dpiX, int dpiY) {
  std::string bytes;
  if (!stbi_write_png_to_func(AppendToString, &bytes, image.width, image.height, image.channels,
                              image.pixels.data(), static_cast<int>(image.Stride())) ||
      bytes.size() < 33)
    return "";
  std::string chunk;
  AppendBig32(chunk, 9);
  chunk += "pHYs";
  AppendBig32(chunk, PixelsPerMetre(dpiX));
  AppendBig32(chunk, PixelsPerMetre(dpiY));
  chunk.push_back(1);  // unit: metre
  AppendBig32(chunk, Crc32(chunk.data() + 4, chunk.size() - 4));
  const size_t afterHeader = 8 + 25;  // signature, IHDR chunk
  bytes.insert(afterHeader, chunk);
  return bytes;
}

// stb writes a JFIF header with an aspect ratio only; units and density are
// patched to dots per inch.
std::string EncodeJpeg(const Image& image, int dpiX, int dpiY) {
  std::string bytes;
  if (!stbi_write_jpg_to_func(AppendToString, &bytes, image.width, image.height, image.channels,
                              image.pixels.data(), 90) ||
      bytes.size() < 18 || bytes.compare(6, 5, std::string("JFIF\0", 5)) != 0)
    return "";
  bytes[13] = 1;
  bytes[14] = static_cast<char>((dpiX >> 8) & 0xff);
  bytes[15] = static_cast<char>(dpiX & 0xff);
  bytes[16] = static_cast<char>((dpiY >> 8) & 0xff);
  bytes[17] = static_cast<char>(dpiY & 0xff);
  return bytes;
}

}  // namespace

std::string EncodeImage(const std::string& extension, const Image& image, int dpiX, int dpiY) {
  if (image.Empty() || (image.channels != 1 && image.channels != 3)) return "";
  dpiX = dpiX > 0 ? std::min(dpiX, 65535) : 96;
  dpiY = dpiY > 0 ? std::min(dpiY, 65535) : 96;
  if (extension == ".bmp") return EncodeBmp(image, dpiX, dpiY);
  if (extension == ".png") return EncodePng(image, dpiX, dpiY);
  if (extension == ".jpg" || extension == ".jpeg") return EncodeJpeg(image, dpiX, dpiY);
  if (extension == ".tif" || extension == ".tiff") return EncodeTiff(image, dpiX, dpiY);
  return "";
}

int32_t WriteImageFile(const std::string& path, const Image& image, int dpiX, int dpiY) {
  const std::string ext = LowerExtension(path);
  if (ext != ".bmp" && ext != ".png" && ext != ".jpg" && ext != ".jpeg" && ext != ".tif" &&
      ext != ".tiff")
    return kErrUnsupported;
  const std::string bytes = EncodeImage(ext, image, dpiX, dpiY);
  if (bytes.empty()) return kErrWriteFailed;
  return WriteWholeFile(path, bytes.data(), bytes.size()) ? kOk : kErrWriteFailed;
}

}  // namespace kelpra
