// Paletted BMPs the way writers store them: 8- and 4-bit run-length
// pixels with runs, literal pixels, jumps and early ends, and palettes
// with other data between them and the pixels. Pictures are read at their
// own size, so every pixel is compared as the file means it. A run-length
// picture is never held whole, whatever size it declares.
#include <algorithm>
#include <string>
#include <vector>

#include "support/AllocationProbe.h"
#include "thumbnails/PictureFiles.h"
#include "thumbnails/StreamFiles.h"

using thumbnail_tests::Colour;
using thumbnail_tests::kWhite;
using thumbnail_tests::Reduce;

namespace {

constexpr Colour kRed{200, 30, 40};
constexpr Colour kBlue{20, 40, 220};
constexpr Colour kGreen{30, 160, 60};

std::string Le32(uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
          static_cast<char>(v >> 24)};
}

struct Paletted {
  int32_t width = 4;
  int32_t height = 4;
  int bits = 8;
  uint32_t compression = 1;
  std::vector<Colour> palette{kRed, kBlue, kGreen};
  std::string gap;             // between the palette and the pixels
  uint32_t coloursUsed = 0;
};

// A BMP with a version 3 header: `pixels` as the file stores them.
std::string PalettedBmp(const Paletted& p, const std::string& pixels) {
  const uint32_t offset = static_cast<uint32_t>(54 + 4 * p.palette.size() + p.gap.size());
  std::string bmp = "BM" + Le32(offset + static_cast<uint32_t>(pixels.size())) + Le32(0) +
                    Le32(offset) + Le32(40) + Le32(static_cast<uint32_t>(p.width)) +
                    Le32(static_cast<uint32_t>(p.height)) + std::string{1, 0} +
                    std::string{static_cast<char>(p.bits), 0} + Le32(p.compression) +
                    Le32(static_cast<uint32_t>(pixels.size())) + Le32(2835) + Le32(2835) +
                    Le32(p.coloursUsed) + Le32(0);
  for (const Colour& c : p.palette) {
    bmp += std::string{static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r), 0};
  }
  return bmp + p.gap + pixels;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

// The picture's rows, top first, as colours.
std::vector<std::vector<Colour>> Rows(const streaming::Reduced& reduced) {
  std::vector<std::vector<Colour>> rows;
  for (int y = 0; y < reduced.pixels.height; ++y) {
    rows.emplace_back();
    for (int x = 0; x < reduced.pixels.width; ++x) {
      const uint8_t* p = reduced.pixels.pixels.data() + (y * reduced.pixels.width + x) * 3;
      rows.back().push_back({p[0], p[1], p[2]});
    }
  }
  return rows;
}

using Picture = std::vector<std::vector<Colour>>;
constexpr Colour R = kRed, B = kBlue, G = kGreen, W = kWhite;

}  // namespace

TEST(BmpPalettes, EightBitRunLengthHasRunsLiteralsAndJumpsWithSkippedPixelsWhite) {
  const std::string bmp = PalettedBmp({}, Bytes({
      3, 1,                      // bottom row: three blue
      0, 3, 2, 0, 1, 0,          // three literal pixels, padded: only green fits
      0, 0,                      // end of line
      1, 2,                      // second row: green
      0, 2, 1, 2,                // jump one right and two up: the top row at 2
      2, 0,                      // two red
      0, 1}));                   // end of the picture
  const streaming::Reduced reduced = Reduce(bmp, 4, 4);
  ASSERT_EQ(reduced.outcome, streaming::Outcome::Done);
  EXPECT_EQ(Rows(reduced), (Picture{{W, W, R, R}, {W, W, W, W}, {G, W, W, W}, {B, B, B, G}}));
}

TEST(BmpPalettes, FourBitRunLengthAlternatesTheTwoIndicesOfARun) {
  Paletted four;
  four.height = 2;
  four.bits = 4;
  four.compression = 2;
  const std::string bmp = PalettedBmp(four, Bytes({
      4, 0x12,                   // bottom row: blue, green, blue, green
      0, 0,                      // end of line
      0, 3, 0x21, 0x00,          // three literal pixels in two bytes
      0, 1}));                   // end of the picture
  const streaming::Reduced reduced = Reduce(bmp, 4, 2);
  ASSERT_EQ(reduced.outcome, streaming::Outcome::Done);
  EXPECT_EQ(Rows(reduced), (Picture{{G, B, R, W}, {B, G, B, G}}));
}

TEST(BmpPalettes, RunLengthThatIsTopDownTooWideOrWithoutPixelsIsRefused) {
  Paletted topDown;
  topDown.height = -4;
  Paletted wide;
  wide.width = 300000;
  wide.height = 1;
  const std::string runs = Bytes({3, 1, 0, 1});
  EXPECT_EQ(Reduce(PalettedBmp(topDown, runs), 4, 4).outcome, streaming::Outcome::Refused);
  EXPECT_EQ(Reduce(PalettedBmp(wide, runs), 100, 1).outcome, streaming::Outcome::Refused);
  EXPECT_EQ(Reduce(PalettedBmp({}, Bytes({0, 1})), 4, 4).outcome, streaming::Outcome::Refused);
  // Cut short after the first run: that row is there.
  const streaming::Reduced cut = Reduce(PalettedBmp({}, Bytes({3, 1, 0})), 4, 4);
  ASSERT_EQ(cut.outcome, streaming::Outcome::Done);
  EXPECT_EQ(Rows(cut)[3], (std::vector<Colour>{B, B, B, W}));
}

TEST(BmpPalettes, APaletteFollowedByOtherDataHasTheEntriesTheHeaderNames) {
  // 2 KB between the palette and the pixels; the header names 3 colours.
  Paletted gap;
  gap.compression = 0;
  gap.height = 1;
  gap.gap = std::string(2048, '\x7F');
  gap.coloursUsed = 3;
  const std::string bmp = PalettedBmp(gap, Bytes({2, 1, 0, 3}));
  const streaming::Reduced reduced = Reduce(bmp, 4, 1);
  ASSERT_EQ(reduced.outcome, streaming::Outcome::Done);
  // Index 3 is past the palette: black.
  EXPECT_EQ(Rows(reduced), (Picture{{G, B, R, Colour{0, 0, 0}}}));
}

TEST(BmpPalettes, ARunLengthPictureOf240MegapixelsInAFewBytesIsReadRowByRow) {
  // 16000 x 15000: its frame would be 720 MB; one row is 48 KB. The bottom
  // row is 250 pixels of green, then the picture ends.
  Paletted huge;
  huge.width = 16000;
  huge.height = 15000;
  const std::string bmp = PalettedBmp(huge, Bytes({250, 2, 0, 1}));
  const testing_support::ChildMeasure measure = testing_support::MeasureInChild(16u << 20, [&] {
    const streaming::Reduced reduced = Reduce(bmp, 160, 150);
    if (reduced.outcome != streaming::Outcome::Done || reduced.size.width != 16000) return 1;
    // Each result pixel covers 100 x 100 source pixels. In the bottom row
    // the first is green; the third covers 50 green and 50 white ones; rows
    // the file never reached are white, as in a file cut short.
    const uint8_t* bottom = reduced.pixels.pixels.data() + 149 * 160 * 3;
    const uint8_t expected[] = {30, 160, 60, 30, 160, 60, 143, 208, 158, 255, 255, 255};
    if (!std::equal(expected, expected + 12, bottom)) return 2;
    return reduced.pixels.pixels[148 * 160 * 3] == 255 ? 0 : 3;
  });
  ASSERT_TRUE(measure.exited);
  EXPECT_EQ(measure.result, 0);
  EXPECT_LE(measure.largest, 256u << 10);
}
