// BMP read row by row in file order (bottom row first, or top row first
// for a negative height): 1, 4 and 8 bits with a palette, 16 and 32 bits
// with masks, 24 bits, and 8 and 4 bits run-length (BmpRunLength.h).
// BMPs with an embedded JPEG or PNG are left to the platform's decoder. A
// 32-bit picture with an alpha mask is laid over white, unless every alpha
// value is 0, which writers use for "no alpha".
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/streaming/AreaReducer.h"
#include "platform/streaming/BmpRunLength.h"
#include "platform/streaming/Decoders.h"

namespace streaming::detail {
namespace {

// Sides beyond this are refused, as the decoder before this one did.
constexpr uint32_t kMaxSide = 1u << 24;
// Rows up to this many pixels are handed on whole; wider ones in pieces of
// kPiecePixels, so that no buffer grows with an absurd width.
constexpr uint32_t kWholeRowPixels = 1u << 18;
constexpr uint32_t kPiecePixels = 8192;

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// One channel of a 16- or 32-bit pixel: where its bits are and how many.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t top = 0;  // the largest value, 2^bits - 1

  static Channel Of(uint32_t mask) {
    Channel channel;
    channel.mask = mask;
    if (mask == 0) return channel;
    while (((mask >> channel.shift) & 1u) == 0) ++channel.shift;
    channel.top = mask >> channel.shift;
    return channel;
  }
  int Bits() const {
    int bits = 0;
    for (uint32_t m = mask; m != 0; m &= m - 1) ++bits;
    return bits;
  }
  uint8_t Of8(uint32_t pixel) const {
    if (top == 0) return 0;
    const uint32_t value = (pixel & mask) >> shift;
    if (top == 255) return static_cast<uint8_t>(value);
    return static_cast<uint8_t>((value * 255 + top / 2) / top);
  }
};

struct BmpInfo {
  uint32_t width = 0;
  uint32_t height = 0;
  bool topDown = false;
  int bpp = 0;
  uint32_t offset = 0;
  uint64_t headerEnd = 0;     // bytes of headers and masks
  bool os2 = false;           // 12-byte header, 3-byte palette entries
  uint32_t paletteEntries = 0;
  Channel red, green, blue, alpha;
  bool standard32 = false;    // 32 bits as blue, green, red, alpha bytes
  uint32_t compression = 0;
  bool runLength = false;
};

constexpr uint32_t kRunLength8 = 1;
constexpr uint32_t kRunLength4 = 2;
constexpr uint32_t kBitFields = 3;

// Compressions that are BMPs all the same, but not read here: an embedded
// JPEG or PNG.
bool OthersCompression(uint32_t compression) { return compression == 4 || compression == 5; }

bool ReadInfo(Reader& reader, BmpInfo& bmp) {
  const uint8_t* file = reader.Take(18);
  if (file == nullptr || file[0] != 'B' || file[1] != 'M') return false;
  bmp.offset = Le32(file + 10);
  const uint32_t headerSize = Le32(file + 14);
  if (bmp.offset > INT32_MAX) return false;
  if (headerSize != 12 && headerSize != 40 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124) {
    return false;
  }
  const uint8_t* info = reader.Take(headerSize - 4);
  if (info == nullptr) return false;
  bmp.headerEnd = 14 + headerSize;
  int64_t height = 0;
  int planes = 0;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
  if (headerSize == 12) {
    bmp.os2 = true;
    bmp.width = Le16(info);
    height = Le16(info + 2);
    planes = Le16(info + 4);
    bmp.bpp = Le16(info + 6);
  } else {
    const int32_t width = static_cast<int32_t>(Le32(info));
    if (width <= 0) return false;
    bmp.width = static_cast<uint32_t>(width);
    height = static_cast<int32_t>(Le32(info + 4));
    planes = Le16(info + 8);
    bmp.bpp = Le16(info + 10);
    compression = Le32(info + 12);
    coloursUsed = Le32(info + 28);
  }
  if (planes != 1) return false;
  bmp.compression = compression;
  // Embedded JPEG or PNG pictures are not read here; masks only for 16 and
  // 32 bits, run-length only for 8 and 4.
  if (compression > kBitFields) return false;
  if (compression == kBitFields && bmp.bpp != 16 && bmp.bpp != 32) return false;
  if (compression == kRunLength8 && bmp.bpp != 8) return false;
  if (compression == kRunLength4 && bmp.bpp != 4) return false;
  if (bmp.bpp != 1 && bmp.bpp != 4 && bmp.bpp != 8 && bmp.bpp != 16 && bmp.bpp != 24 &&
      bmp.bpp != 32) {
    return false;
  }
  bmp.topDown = height < 0;
  const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
  if (bmp.width > kMaxSide || rows > kMaxSide) return false;
  bmp.height = static_cast<uint32_t>(rows);
  // Run-length rows are stored bottom first only, and each is held whole.
  bmp.runLength = compression == kRunLength8 || compression == kRunLength4;
  if (bmp.runLength && (bmp.topDown || bmp.width > kWidestRunLengthBmp)) return false;

  uint32_t masks[4] = {0, 0, 0, 0};
  if (bmp.bpp == 16 && compression == 0) {
    masks[0] = 31u << 10;
    masks[1] = 31u << 5;
    masks[2] = 31u;
  } else if (bmp.bpp == 32 && compression == 0) {
    masks[0] = 0xFFu << 16;
    masks[1] = 0xFFu << 8;
    masks[2] = 0xFFu;
    masks[3] = 0xFFu << 24;
  }
  if (headerSize >= 56) {
    // Version 3 to 5 headers carry the masks themselves, alpha included.
    if (compression == kBitFields) {
      for (int i = 0; i < 4; ++i) masks[i] = Le32(info + 36 + 4 * i);
    }
  } else if (compression == kBitFields) {
    const uint8_t* extra = reader.Take(12);
    if (extra == nullptr) return false;
    for (int i = 0; i < 3; ++i) masks[i] = Le32(extra + 4 * i);
    bmp.headerEnd += 12;
  }
  if (bmp.bpp == 16 || bmp.bpp == 32) {
    if (masks[0] == 0 || masks[1] == 0 || masks[2] == 0) return false;
    // The same mask for all three is no colour picture anyone writes.
    if (masks[0] == masks[1] && masks[1] == masks[2]) return false;
    bmp.red = Channel::Of(masks[0]);
    bmp.green = Channel::Of(masks[1]);
    bmp.blue = Channel::Of(masks[2]);
    bmp.alpha = Channel::Of(masks[3]);
    for (const Channel* channel : {&bmp.red, &bmp.green, &bmp.blue, &bmp.alpha}) {
      if (channel->Bits() > 8) return false;
    }
    bmp.standard32 = bmp.bpp == 32 && masks[0] == 0xFF0000u && masks[1] == 0xFF00u &&
                     masks[2] == 0xFFu && (masks[3] == 0 || masks[3] == 0xFF000000u);
  }
  if (bmp.offset < bmp.headerEnd) return false;
  if (bmp.bpp <= 8) {
    // The palette fills the space up to the pixels. Where that space holds
    // more than the largest palette (other data lies between), the palette
    // has the entries the header names, or all 2^bits.
    const uint64_t entry = bmp.os2 ? 3 : 4;
    uint64_t entries = (bmp.offset - bmp.headerEnd) / entry;
    const uint32_t most = 1u << bmp.bpp;
    if (entries > most) entries = coloursUsed > 0 && coloursUsed < most ? coloursUsed : most;
    if (entries == 0) return false;
    bmp.paletteEntries = static_cast<uint32_t>(entries);
  }
  return true;
}

// Turns stored pixels into RGB, laid over white where there is alpha.
class RowConverter {
 public:
  explicit RowConverter(const BmpInfo& bmp) : bmp_(bmp) {}

  bool ReadPalette(Reader& reader) {
    const size_t entry = bmp_.os2 ? 3 : 4;
    const uint8_t* table = reader.Take(bmp_.paletteEntries * entry);
    if (table == nullptr) return false;
    // Indices past the palette show black.
    for (uint32_t i = 0; i < bmp_.paletteEntries; ++i) {
      palette_[i] = {table[i * entry + 2], table[i * entry + 1], table[i * entry]};
    }
    return true;
  }

  const BmpPalette& Palette() const { return palette_; }
  bool HasAlpha() const { return bmp_.alpha.mask != 0; }
  bool AnyAlpha() const { return anyAlpha_ != 0; }

  // `count` pixels from `in`, whose first pixel starts at a byte.
  void Convert(const uint8_t* in, uint32_t count, uint8_t* rgb, uint8_t* overWhite) {
    switch (bmp_.bpp) {
      case 1:
      case 4:
      case 8: {
        const int bits = bmp_.bpp;
        const uint32_t perByte = 8u / static_cast<uint32_t>(bits);
        const unsigned valueMask = (1u << bits) - 1u;
        for (uint32_t i = 0; i < count; ++i) {
          const uint8_t byte = in[i / perByte];
          const int shift = 8 - bits * static_cast<int>(i % perByte + 1);
          const std::array<uint8_t, 3>& colour = palette_[(byte >> shift) & valueMask];
          std::memcpy(rgb + i * 3, colour.data(), 3);
        }
        break;
      }
      case 24:
        for (uint32_t i = 0; i < count; ++i) {
          rgb[i * 3] = in[i * 3 + 2];
          rgb[i * 3 + 1] = in[i * 3 + 1];
          rgb[i * 3 + 2] = in[i * 3];
        }
        break;
      default:
        for (uint32_t i = 0; i < count; ++i) {
          uint8_t r, g, b, a = 255;
          if (bmp_.standard32) {
            const uint8_t* p = in + i * 4;
            b = p[0];
            g = p[1];
            r = p[2];
            if (HasAlpha()) a = p[3];
          } else {
            const uint32_t v = bmp_.bpp == 16 ? Le16(in + i * 2) : Le32(in + i * 4);
            r = bmp_.red.Of8(v);
            g = bmp_.green.Of8(v);
            b = bmp_.blue.Of8(v);
            if (HasAlpha()) a = bmp_.alpha.Of8(v);
          }
          uint8_t* out = rgb + i * 3;
          out[0] = r;
          out[1] = g;
          out[2] = b;
          if (overWhite != nullptr) {
            anyAlpha_ |= a;
            const unsigned clear = 255u - a;
            uint8_t* laid = overWhite + i * 3;
            laid[0] = static_cast<uint8_t>((r * a + 255u * clear + 127u) / 255u);
            laid[1] = static_cast<uint8_t>((g * a + 255u * clear + 127u) / 255u);
            laid[2] = static_cast<uint8_t>((b * a + 255u * clear + 127u) / 255u);
          }
        }
        break;
    }
  }

 private:
  const BmpInfo& bmp_;
  BmpPalette palette_{};
  unsigned anyAlpha_ = 0;
};

}  // namespace

Reduced DecodeBmp(Reader& reader, const SizeChoice* choose) {
  Reduced result;
  BmpInfo bmp;
  if (!ReadInfo(reader, bmp)) {
    if (OthersCompression(bmp.compression)) result.outcome = Outcome::NotMine;
    return result;
  }
  const std::optional<platform::ImageSize> size = AcceptSize(bmp.width, bmp.height);
  if (!size) return result;
  result.size = *size;
  if (choose == nullptr) {
    result.outcome = Outcome::Done;
    return result;
  }

  RowConverter converter(bmp);
  if (bmp.bpp <= 8 && !converter.ReadPalette(reader)) return result;
  if (!reader.Skip(bmp.offset - reader.Position())) return result;

  const platform::ImageSize target = Chosen(*choose, *size);
  const AreaReducer::Order order =
      bmp.topDown ? AreaReducer::Order::TopDown : AreaReducer::Order::BottomUp;
  // 24-bit rows go to the reducer as they are stored, blue first.
  const bool whole = bmp.width <= kWholeRowPixels;
  const bool direct = bmp.bpp == 24 && whole;
  AreaReducer reducer(bmp.width, bmp.height, static_cast<int>(target.width),
                      static_cast<int>(target.height), order, direct);
  if (bmp.runLength) {
    ReadRunLength(reader, bmp.bpp, converter.Palette(), bmp.width, bmp.height, reducer);
    if (!reducer.Received()) return result;
    result.outcome = Outcome::Done;
    result.pixels = reducer.Finish();
    return result;
  }
  // Pictures with alpha are also reduced as if opaque, for the case that
  // every alpha value turns out to be 0.
  std::unique_ptr<AreaReducer> laid;
  if (converter.HasAlpha()) {
    laid = std::make_unique<AreaReducer>(bmp.width, bmp.height, static_cast<int>(target.width),
                                         static_cast<int>(target.height), order);
  }

  const uint64_t dataBytes = (static_cast<uint64_t>(bmp.width) * bmp.bpp + 7) / 8;
  const uint64_t rowBytes = (static_cast<uint64_t>(bmp.width) * bmp.bpp + 31) / 32 * 4;
  const uint32_t piece = whole ? bmp.width : kPiecePixels;
  std::vector<uint8_t> rgb(direct ? 0 : static_cast<size_t>(piece) * 3);
  std::vector<uint8_t> overWhite(laid ? static_cast<size_t>(piece) * 3 : 0);

  bool complete = true;
  for (uint32_t i = 0; i < bmp.height && complete; ++i) {
    const uint32_t y = bmp.topDown ? i : bmp.height - 1 - i;
    if (whole) {
      const uint8_t* row = reader.Take(static_cast<size_t>(rowBytes));
      if (row == nullptr) break;
      if (direct) {
        reducer.AddRow(y, row);
        continue;
      }
      converter.Convert(row, bmp.width, rgb.data(), laid ? overWhite.data() : nullptr);
      reducer.AddRow(y, rgb.data());
      if (laid) laid->AddRow(y, overWhite.data());
      continue;
    }
    // A very wide row in pieces that each start at a byte.
    for (uint32_t x = 0; x < bmp.width; x += piece) {
      const uint32_t count = std::min(piece, bmp.width - x);
      const size_t bytes = (static_cast<size_t>(count) * bmp.bpp + 7) / 8;
      const uint8_t* in = reader.Take(bytes);
      if (in == nullptr) {
        complete = false;
        break;
      }
      converter.Convert(in, count, rgb.data(), laid ? overWhite.data() : nullptr);
      reducer.AddPixels(y, x, 1, count, rgb.data());
      if (laid) laid->AddPixels(y, x, 1, count, overWhite.data());
    }
    if (complete && !reader.Skip(rowBytes - dataBytes)) break;
  }
  if (!reducer.Received()) return result;
  result.outcome = Outcome::Done;
  if (laid && converter.AnyAlpha()) {
    result.pixels = laid->Finish();
  } else {
    result.pixels = reducer.Finish();
  }
  return result;
}

}  // namespace streaming::detail
