// BMPs the way writers store them: 8- and 4-bit run-length pixels with
// runs, literal pixels, jumps and early ends, palettes with other data
// between them and the pixels, the old 12-byte header, and pixels laid out
// by masks. Pictures are read at their own size, so every pixel is compared
// as the file means it. A run-length picture is never held whole, whatever
// size it declares.
#include <algorithm>
#include <string>
#include <vector>

#include "thumbnails/StreamFiles.h"

using streaming::Outcome;
using testing_support::BmpFields;
using testing_support::Le32;

namespace thumbnail_tests {

namespace {

constexpr Colour R{200, 30, 40}, B{20, 40, 220}, G{30, 160, 60}, W = kWhite;

// Run-length pixels (8 bits unless told) over the palette red, blue, green.
BmpFields RunLength(int32_t width = 4, int32_t height = 4, int bits = 8) {
  return {width, height, bits, bits == 8 ? 1u : 2u, {R, B, G}};
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

using Picture = std::vector<std::vector<Colour>>;

// The picture's rows, top first, as colours.
Picture Rows(const streaming::Reduced& reduced) {
  Picture rows(static_cast<size_t>(reduced.pixels.height));
  for (int y = 0; y < reduced.pixels.height; ++y) {
    for (int x = 0; x < reduced.pixels.width; ++x) {
      rows[y].push_back(PixelAt(reduced, x, y));
    }
  }
  return rows;
}

// The picture read at its own size.
Picture Read(const std::string& bmp, uint32_t width, uint32_t height) {
  const streaming::Reduced reduced = Reduce(bmp, width, height);
  EXPECT_EQ(reduced.outcome, Outcome::Done);
  return Rows(reduced);
}

}  // namespace

TEST(BmpPalettes, RunLengthHasRunsLiteralsAndJumpsWithSkippedPixelsWhite) {
  // clang-format off
  const std::string bmp = BmpBytes(RunLength(), Bytes({
      3, 1,                      // bottom row: three blue
      0, 3, 2, 0, 1, 0,          // three literal pixels, padded: only green fits
      0, 0,                      // end of line
      1, 2,                      // second row: green
      0, 2, 1, 2,                // jump one right and two up: the top row at 2
      2, 0,                      // two red
      0, 1}));                   // end of the picture
  // clang-format on
  EXPECT_EQ(Read(bmp, 4, 4), (Picture{{W, W, R, R}, {W, W, W, W}, {G, W, W, W}, {B, B, B, G}}));
  // At four bits a run alternates the two indices of its byte.
  // clang-format off
  const std::string four = BmpBytes(RunLength(4, 2, 4), Bytes({
      4, 0x12,                   // bottom row: blue, green, blue, green
      0, 0,                      // end of line
      0, 3, 0x21, 0x00,          // three literal pixels in two bytes
      0, 1}));                   // end of the picture
  // clang-format on
  EXPECT_EQ(Read(four, 4, 2), (Picture{{G, B, R, W}, {B, G, B, G}}));
}

TEST(BmpPalettes, RunLengthThatIsTopDownTooWideOrWithoutPixelsIsRefused) {
  const std::string runs = Bytes({3, 1, 0, 1});
  EXPECT_EQ(Reduce(BmpBytes(RunLength(4, -4), runs), 4, 4).outcome, Outcome::Refused);
  EXPECT_EQ(Reduce(BmpBytes(RunLength(300000, 1), runs), 100, 1).outcome, Outcome::Refused);
  EXPECT_EQ(Reduce(BmpBytes(RunLength(), Bytes({0, 1})), 4, 4).outcome, Outcome::Refused);
  // Cut short after the first run: that row is there.
  EXPECT_EQ(Read(BmpBytes(RunLength(), Bytes({3, 1, 0})), 4, 4)[3],
            (std::vector<Colour>{B, B, B, W}));
}

TEST(BmpPalettes, APaletteFollowedByOtherDataHasTheEntriesTheHeaderNames) {
  // 2 KB between the palette and the pixels; the header names 3 colours.
  BmpFields gap(4, 1, 8, 0, {R, B, G});
  gap.gap = std::string(2048, '\x7F');
  gap.coloursUsed = 3;
  // Index 3 is past the palette: black.
  EXPECT_EQ(Read(BmpBytes(gap, Bytes({2, 1, 0, 3})), 4, 1), (Picture{{G, B, R, Colour{0, 0, 0}}}));
}

// Headers made by hand, one case a line: the old 12-byte header (its depth
// at byte 6, three-byte palette entries), a palette the file ends inside,
// and channels of one bit each, whose set bit is full intensity.
TEST(BmpPalettes, HandMadeHeadersGiveThePixelsTheyDescribeOrNone) {
  const std::string os2 = "BM" + Le32(39) + Le32(0) + Le32(35) + Le32(12) + Bytes({3, 0, 1, 0}) +
                          Bytes({1, 0, 8, 0}) + Bytes({40, 30, 200, 220, 40, 20, 60, 160, 30}) +
                          Bytes({0, 1, 2, 0});
  BmpFields longPalette(4, 1, 8, 0, std::vector<Colour>(256, R));
  BmpFields oneBit(2, 1, 16, 3);
  oneBit.gap = Le32(1) + Le32(2) + Le32(4);
  const struct {
    const char* what;
    std::string bytes;
    uint32_t width;
    Picture shown;  // empty: refused
  } cases[] = {
      {"old header", os2, 3, {{R, B, G}}},
      {"cut in the palette", BmpBytes(longPalette).substr(0, 54 + 40), 4, {}},
      {"one-bit channels", BmpBytes(oneBit, Bytes({7, 0, 1, 0})), 2, {{W, Colour{255, 0, 0}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const streaming::Reduced reduced = Reduce(c.bytes, c.width, 1);
    EXPECT_EQ(reduced.outcome, c.shown.empty() ? Outcome::Refused : Outcome::Done);
    EXPECT_EQ(Rows(reduced), c.shown);
  }
}

// 2^18 + 1 pixels a row is read in pieces of 8192, the last of one pixel:
// the row is finished by that pixel, not by the piece before it.
TEST(BmpPalettes, TheLastPixelOfARowReadInPiecesReachesThePicture) {
  const uint32_t width = (1u << 18) + 1;
  BmpFields wide(static_cast<int32_t>(width), 1, 8, 0, {Colour{0, 0, 0}, R});
  const std::string row = std::string(width - 1, '\0') + '\1' + std::string(3, '\0');
  const streaming::Reduced reduced = Reduce(BmpBytes(wide, row), width, 1);
  ASSERT_EQ(reduced.outcome, Outcome::Done);
  EXPECT_EQ(PixelAt(reduced, static_cast<int>(width) - 1, 0), R);
  EXPECT_EQ(PixelAt(reduced, static_cast<int>(width) - 2, 0), (Colour{0, 0, 0}));
}

TEST(BmpPalettes, PixelsOfSixteenAndThirtyTwoBitsAreReadByTheirMasks) {
  // Red in the low byte of 32 bits, and 5-6-5 in 16 bits: masks after the
  // header.
  BmpFields rgbx(2, 1, 32, 3);
  rgbx.gap = Le32(0xFF) + Le32(0xFF00) + Le32(0xFF0000);
  EXPECT_EQ(Read(BmpBytes(rgbx, Bytes({200, 30, 40, 0, 20, 40, 220, 0})), 2, 1), (Picture{{R, B}}));
  BmpFields six(2, 1, 16, 3);
  six.gap = Le32(0xF800) + Le32(0x07E0) + Le32(0x001F);
  const Picture redGreen{{Colour{255, 0, 0}, Colour{0, 255, 0}}};
  const std::string pixels = Bytes({0x00, 0xF8, 0xE0, 0x07});
  EXPECT_EQ(Read(BmpBytes(six, pixels), 2, 1), redGreen);
  // A 56-byte header holds the masks itself, alpha's too.
  const auto with56ByteHeader = [](std::string bmp, uint32_t alphaMask) {
    bmp.replace(10, 8, Le32(70) + Le32(56));
    bmp.insert(66, Le32(alphaMask));
    return bmp;
  };
  EXPECT_EQ(Read(with56ByteHeader(BmpBytes(six, pixels), 0), 2, 1), redGreen);
  // 4-4-4-4 with alpha: red at alpha 8 of 15 is laid over white.
  BmpFields argb(2, 1, 16, 3);
  argb.gap = Le32(0x0F00) + Le32(0x00F0) + Le32(0x000F);
  const std::string translucent = BmpBytes(argb, Bytes({0x00, 0x8F, 0xF0, 0xF0}));
  EXPECT_EQ(Read(with56ByteHeader(translucent, 0xF000), 2, 1),
            (Picture{{Colour{255, 119, 119}, Colour{0, 255, 0}}}));
}

TEST(BmpPalettes, ARunLengthPictureOf240MegapixelsInAFewBytesIsReadRowByRow) {
  // 16000 x 15000: its frame would be 720 MB; one row is 48 KB. The bottom
  // row is 250 pixels of green, then the picture ends.
  const std::string bmp = BmpBytes(RunLength(16000, 15000), Bytes({250, 2, 0, 1}));
  ExpectInChild(16u << 20, 256u << 10, [&] {
    const streaming::Reduced reduced = Reduce(bmp, 160, 150);
    if (reduced.outcome != Outcome::Done || reduced.size.width != 16000) return 1;
    // Each result pixel covers 100 x 100 source pixels. In the bottom row
    // the first is green; the third covers 50 green and 50 white ones; rows
    // the file never reached are white, as in a file cut short.
    const std::vector<Colour> bottom = Rows(reduced)[149];
    const Colour expected[] = {G, G, {143, 208, 158}, W};
    if (!std::equal(expected, expected + 4, bottom.begin())) return 2;
    return PixelAt(reduced, 0, 148) == W ? 0 : 3;
  });
}

}  // namespace thumbnail_tests
