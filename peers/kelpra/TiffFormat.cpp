// Baseline TIFF: little-endian writer, reader for both byte orders.
#include "TiffFormat.h"

#include <algorithm>
#include <cstring>

#include "KelpraConfig.h"

namespace kelpra {
namespace {

enum : uint16_t {
  kTypeShort = 3,
  kTypeLong = 4,
  kTypeRational = 5,
};

void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xff));
  out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

void PutEntry(std::string& out, uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
  Put16(out, tag);
  Put16(out, type);
  Put32(out, count);
  if (type == kTypeShort && count == 1) {
    Put16(out, static_cast<uint16_t>(value));
    Put16(out, 0);
  } else {
    Put32(out, value);
  }
}

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  bool SetOrder() {
    if (bytes_.size() < 8) return false;
    if (bytes_[0] == 'I' && bytes_[1] == 'I')
      little_ = true;
    else if (bytes_[0] == 'M' && bytes_[1] == 'M')
      little_ = false;
    else
      return false;
    uint32_t magic = 0;
    return U16(2, magic) && magic == 42;
  }
  bool U16(uint64_t at, uint32_t& v) const {
    if (at + 2 > bytes_.size()) return false;
    const auto* p = reinterpret_cast<const uint8_t*>(bytes_.data() + at);
    v = little_ ? (p[0] | p[1] << 8) : (p[0] << 8 | p[1]);
    return true;
  }
  bool U32(uint64_t at, uint32_t& v) const {
    if (at + 4 > bytes_.size()) return false;
    const auto* p = reinterpret_cast<const uint8_t*>(bytes_.data() + at);
    v = little_
            ? (uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24)
            : (uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]));
    return true;
  }
  // The index-th value of an entry of SHORT or LONG type.
  bool Value(uint64_t entry, uint32_t index, uint32_t& v) const {
    uint32_t type = 0, count = 0;
    if (!U16(entry + 2, type) || !U32(entry + 4, count) || index >= count) return false;
    const uint32_t size = type == kTypeShort ? 2 : type == kTypeLong ? 4 : 0;
    if (size == 0) return false;
    uint64_t at = entry + 8;
    if (static_cast<uint64_t>(size) * count > 4) {
      uint32_t offset = 0;
      if (!U32(entry + 8, offset)) return false;
      at = offset;
    }
    at += static_cast<uint64_t>(index) * size;
    return size == 2 ? U16(at, v) : U32(at, v);
  }
  bool Count(uint64_t entry, uint32_t& count) const { return U32(entry + 4, count); }
  // A RATIONAL entry as a rounded integer.
  bool Rational(uint64_t entry, int& v) const {
    uint32_t type = 0, offset = 0, num = 0, den = 0;
    if (!U16(entry + 2, type) || type != kTypeRational || !U32(entry + 8, offset) ||
        !U32(offset, num) || !U32(static_cast<uint64_t>(offset) + 4, den) || den == 0)
      return false;
    const uint64_t value = (static_cast<uint64_t>(num) + den / 2) / den;
    v = value > 100000 ? 0 : static_cast<int>(value);
    return true;
  }
  size_t Size() const { return bytes_.size(); }
  const uint8_t* Data(uint64_t at) const {
    return reinterpret_cast<const uint8_t*>(bytes_.data() + at);
  }

 private:
  const std::string& bytes_;
  bool little_ = true;
};

}  // namespace

std::string EncodeTiff(const Image& image, int dpiX, int dpiY) {
  const bool rgb = image.channels == 3;
  const uint16_t entries = 13;
  const uint32_t ifdSize = 2 + entries * 12 + 4;
  const uint32_t xResAt = 8 + ifdSize;
  const uint32_t yResAt = xResAt + 8;
  const uint32_t bitsAt = yResAt + 8;
  const uint32_t dataAt = bitsAt + 8;
  const uint32_t dataSize = static_cast<uint32_t>(image.pixels.size());

  std::string out;
  out.reserve(dataAt + dataSize);
  out += "II";
  Put16(out, 42);
  Put32(out, 8);
  Put16(out, entries);
  PutEntry(out, 256, kTypeLong, 1, static_cast<uint32_t>(image.width));
  PutEntry(out, 257, kTypeLong, 1, static_cast<uint32_t>(image.height));
  if (rgb)
    PutEntry(out, 258, kTypeShort, 3, bitsAt);
  else
    PutEntry(out, 258, kTypeShort, 1, 8);
  PutEntry(out, 259, kTypeShort, 1, 1);            // no compression
  PutEntry(out, 262, kTypeShort, 1, rgb ? 2 : 1);  // RGB or black is zero
  PutEntry(out, 273, kTypeLong, 1, dataAt);
  PutEntry(out, 277, kTypeShort, 1, rgb ? 3 : 1);
  PutEntry(out, 278, kTypeLong, 1, static_cast<uint32_t>(image.height));
  PutEntry(out, 279, kTypeLong, 1, dataSize);
  PutEntry(out, 282, kTypeRational, 1, xResAt);
  PutEntry(out, 283, kTypeRational, 1, yResAt);
  PutEntry(out, 284, kTypeShort, 1, 1);  // chunky
  PutEntry(out, 296, kTypeShort, 1, 2);  // inch
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(dpiX > 0 ? dpiX : 72));
  Put32(out, 1);
  Put32(out, static_cast<uint32_t>(dpiY > 0 ? dpiY : 72));
  Put32(out, 1);
  for (int i = 0; i < 3; ++i) Put16(out, 8);
  Put16(out, 0);
  out.append(reinterpret_cast<const char*>(image.pixels.data()), image.pixels.size());
  return out;
}

bool DecodeTiff(const std::string& bytes, Image& image, int& dpiX, int& dpiY) {
  Reader r(bytes);
  uint32_t ifd = 0, entries = 0;
  if (!r.SetOrder() || !r.U32(4, ifd) || !r.U16(ifd, entries) || entries == 0 || entries > 512)
    return false;
  uint32_t width = 0, height = 0, bits = 8, compression = 1, photometric = 1, samples = 1;
  uint32_t rowsPerStrip = 0xffffffffu, planar = 1, unit = 2;
  uint64_t offsetsEntry = 0;
  int xRes = 0, yRes = 0;
  for (uint32_t i = 0; i < entries; ++i) {
    const uint64_t entry = static_cast<uint64_t>(ifd) + 2 + i * 12;
    uint32_t tag = 0;
    if (!r.U16(entry, tag)) return false;
    bool ok = true;
    switch (tag) {
      case 256:
        ok = r.Value(entry, 0, width);
        break;
      case 257:
        ok = r.Value(entry, 0, height);
        break;
      case 258:
        ok = r.Value(entry, 0, bits);
        break;
      case 259:
        ok = r.Value(entry, 0, compression);
        break;
      case 262:
        ok = r.Value(entry, 0, photometric);
        break;
      case 273:
        offsetsEntry = entry;
        break;
      case 277:
        ok = r.Value(entry, 0, samples);
        break;
      case 278:
        ok = r.Value(entry, 0, rowsPerStrip);
        break;
      case 282:
        r.Rational(entry, xRes);
        break;
      case 283:
        r.Rational(entry, yRes);
        break;
      case 284:
        ok = r.Value(entry, 0, planar);
        break;
      case 296:
        ok = r.Value(entry, 0, unit);
        break;
      default:
        break;
    }
    if (!ok) return false;
  }
  if (width == 0 || height == 0 || width > limits::kMaxSide || height > limits::kMaxSide ||
      static_cast<uint64_t>(width) * height > static_cast<uint64_t>(limits::kMaxPixels))
    return false;
  if (bits != 8 || compression != 1 || planar != 1 || offsetsEntry == 0) return false;
  if (!((samples == 1 && photometric <= 1) || (samples >= 3 && samples <= 4 && photometric == 2)))
    return false;
  if (rowsPerStrip == 0 || rowsPerStrip > height) rowsPerStrip = height;

  const uint64_t rowBytes = static_cast<uint64_t>(width) * samples;
  uint32_t strips = 0;
  if (!r.Count(offsetsEntry, strips) || strips != (height + rowsPerStrip - 1) / rowsPerStrip)
    return false;
  // Uncompressed strips hold every row: a file shorter than that is refused
  // before its frame is allocated.
  if (rowBytes * height > r.Size()) return false;
  Image out(static_cast<int>(width), static_cast<int>(height), samples == 1 ? 1 : 3);
  uint32_t row = 0;
  for (uint32_t s = 0; s < strips; ++s) {
    uint32_t offset = 0;
    if (!r.Value(offsetsEntry, s, offset)) return false;
    const uint32_t rows = std::min<uint32_t>(rowsPerStrip, height - row);
    if (static_cast<uint64_t>(offset) + rowBytes * rows > r.Size()) return false;
    for (uint32_t y = 0; y < rows; ++y, ++row) {
      const uint8_t* src = r.Data(offset + rowBytes * y);
      uint8_t* dst = out.At(0, static_cast<int>(row));
      if (samples == 1) {
        std::memcpy(dst, src, width);
        if (photometric == 0) {
          for (uint32_t x = 0; x < width; ++x) dst[x] = static_cast<uint8_t>(255 - dst[x]);
        }
      } else {
        for (uint32_t x = 0; x < width; ++x) std::memcpy(dst + 3 * x, src + samples * x, 3);
      }
    }
  }
  const double perInch = unit == 3 ? 2.54 : 1.0;
  dpiX = static_cast<int>(xRes * perInch + 0.5);
  dpiY = static_cast<int>(yRes * perInch + 0.5);
  image = std::move(out);
  return true;
}

}  // namespace kelpra
