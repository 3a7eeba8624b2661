#include "platform/streaming/BmpRunLength.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace streaming::detail {
namespace {

// The run codes that follow a zero count.
constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfPicture = 1;
constexpr uint8_t kJump = 2;

// One row being filled: white until the runs reach it.
class RunRow {
 public:
  RunRow(const BmpPalette& palette, uint32_t width, uint32_t height, AreaReducer& reducer)
      : palette_(palette), width_(width), height_(height), reducer_(reducer),
        rgb_(static_cast<size_t>(width) * 3, 255) {}

  bool Inside() const { return row_ < height_; }
  // Pixels past the row's end are dropped, as other readers do.
  void Put(uint8_t index) {
    if (x_ < width_) {
      std::memcpy(rgb_.data() + static_cast<size_t>(x_) * 3, palette_[index].data(), 3);
      touched_ = true;
      ++x_;
    }
  }
  bool Full() const { return x_ >= width_; }
  void MoveRight(uint32_t count) { x_ = std::min<uint64_t>(uint64_t{x_} + count, width_); }
  // Hands the row over when it has pixels and goes `rows` rows up.
  void MoveUp(uint32_t rows) {
    if (touched_) {
      reducer_.AddRow(height_ - 1 - row_, rgb_.data());
      std::fill(rgb_.begin(), rgb_.end(), 255);
      touched_ = false;
    }
    row_ = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{row_} + rows, height_));
  }
  void NextLine() {
    MoveUp(1);
    x_ = 0;
  }

 private:
  const BmpPalette& palette_;
  uint32_t width_;
  uint32_t height_;
  AreaReducer& reducer_;
  std::vector<uint8_t> rgb_;
  uint32_t row_ = 0;  // counted from the bottom
  uint32_t x_ = 0;
  bool touched_ = false;
};

// Pixel `i` of packed 8- or 4-bit indices.
uint8_t IndexAt(const uint8_t* packed, uint32_t i, int bits) {
  if (bits == 8) return packed[i];
  const uint8_t byte = packed[i / 2];
  return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

}  // namespace

void ReadRunLength(Reader& reader, int bits, const BmpPalette& palette, uint32_t width,
                   uint32_t height, AreaReducer& reducer) {
  RunRow row(palette, width, height, reducer);
  while (row.Inside()) {
    const uint8_t* code = reader.Take(2);
    if (code == nullptr) break;
    const uint8_t count = code[0];
    const uint8_t value = code[1];
    if (count > 0) {
      // A run: one index repeated, or for 4 bits two indices alternating.
      const uint8_t first = bits == 8 ? value : value >> 4;
      const uint8_t second = bits == 8 ? value : value & 0x0F;
      for (uint32_t i = 0; i < count && !row.Full(); ++i) row.Put(i % 2 == 0 ? first : second);
      continue;
    }
    if (value == kEndOfLine) {
      row.NextLine();
    } else if (value == kEndOfPicture) {
      break;
    } else if (value == kJump) {
      const uint8_t* jump = reader.Take(2);
      if (jump == nullptr) break;
      row.MoveRight(jump[0]);
      if (jump[1] > 0) row.MoveUp(jump[1]);
    } else {
      // `value` indices as they are, padded to a whole number of 16-bit words.
      const size_t bytes = bits == 8 ? value : (value + 1u) / 2;
      const uint8_t* literal = reader.Take((bytes + 1) & ~size_t{1});
      if (literal == nullptr) break;
      for (uint32_t i = 0; i < value; ++i) row.Put(IndexAt(literal, i, bits));
    }
  }
  row.MoveUp(0);
}

}  // namespace streaming::detail
