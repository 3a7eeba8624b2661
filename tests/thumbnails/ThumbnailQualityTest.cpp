// Thumbnails from the streaming decoders look like an exact box-filter
// reduction of the whole picture: every BMP depth and row order, rows too
// wide to read at once, JPEG scaled while it decodes, PNG plain and
// interlaced, transparency laid over white.
#include <cstddef>
#include <cstdio>

#include "platform/streaming/AreaReducer.h"
#include "thumbnails/StreamFiles.h"

using testing_support::BmpKind;

namespace thumbnail_tests {

namespace {

// Odd sizes, so that no result pixel lines up with the source grid.
const TextPage kPage(601, 451);

}  // namespace

TEST(ThumbnailQuality, EveryBmpDepthAndRowOrderMatchesTheBoxReduction) {
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    for (bool topDown : {false, true}) {
      const BmpKind kind{bits, topDown};
      SCOPED_TRACE(std::to_string(bits) + (topDown ? " bits, top row first" : " bits"));
      const std::string bytes = BmpOf(kPage, kind);
      const testing_support::Rgb whole = WholePage(kPage, kind);
      // The thumbnail list's fast thumbnail and a larger pane picture.
      ExpectMatches(Reduce(bytes, 90, 67), whole);
      ExpectMatches(Reduce(bytes, 250, 188), whole);
    }
  }
}

TEST(ThumbnailQuality, RowsWiderThanAnyBufferAreReadInPiecesRowAfterRow) {
  // 300001 pixels a row, more than is ever taken in one piece, and rows
  // with padding after their pixels; each row and channel differs, and
  // every 4096 pixels the tone changes.
  const uint32_t width = 300001;
  const testing_support::RowSource rows = [width](uint32_t y, uint8_t* rgb) {
    for (uint32_t x = 0; x < width; ++x, rgb += 3) {
      const uint8_t v = static_cast<uint8_t>((x / 4096) % 2 * 120 + 40 * y);
      rgb[0] = v;
      rgb[1] = static_cast<uint8_t>(255 - v);
      rgb[2] = static_cast<uint8_t>(v / 2);
    }
  };
  // At 32 bits with half alpha, laid over white.
  for (int bits : {8, 24, 32}) {
    SCOPED_TRACE(bits);
    const BmpKind kind{bits, false, 128, bits == 32};
    const std::string bytes = Written(
        [&](std::FILE* file) { return testing_support::WriteBmp(file, width, 3, rows, kind); });
    ExpectMatches(Reduce(bytes, 90, 3), Whole(width, 3, rows, kind));
  }
}

TEST(ThumbnailQuality, AlphaInA32BitBmpIsLaidOverWhiteUnlessEveryAlphaIsZero) {
  const BmpKind half{32, false, 128, true};
  ExpectMatches(Reduce(BmpOf(kPage, half), 90, 67), WholePage(kPage, half));
  // Writers that have no alpha leave the byte 0: the picture is opaque.
  ExpectMatches(Reduce(BmpOf(kPage, {32, false, 0, true}), 90, 67), WholePage(kPage));
}

TEST(ThumbnailQuality, ScaledJpegMatchesTheBoxReductionOfThePictureItHolds) {
  const TextPage photo(2400, 1800, 5);
  const std::string bytes = JpegOf(photo);
  // Against the page itself: at quality 90 its compression changes the
  // thumbnail's mean by some 0.2 grey levels and no pixel past the bound.
  const testing_support::Rgb whole = WholePage(photo);
  // Decoded at 2/8 for the thumbnail, then averaged.
  ExpectMatches(Reduce(bytes, 90, 67), whole);
  // A pane picture, decoded at 4/8: libjpeg's scaled decode is no box
  // filter, so only its mean is held to the bound.
  ExpectMatches(Reduce(bytes, 600, 450), whole, true);
}

TEST(ThumbnailQuality, PlainAndInterlacedPngMatchTheBoxReductionAndASmallOneIsScaledUp) {
  for (bool interlaced : {true, false}) {
    SCOPED_TRACE(interlaced ? "interlaced" : "plain");
    const std::string bytes = PngOf(kPage, interlaced);
    ExpectMatches(Reduce(bytes, 90, 67), WholePage(kPage));
    ExpectMatches(Reduce(bytes, 250, 188), WholePage(kPage));
  }
  const TextPage tiny(37, 23, 9);
  ExpectMatches(Reduce(PngOf(tiny, true), 90, 56), WholePage(tiny));
  // Five pixels across: the first two passes have one pixel a row.
  const TextPage five(5, 5, 3);
  ExpectMatches(Reduce(PngOf(five, true), 5, 5), WholePage(five));
}

TEST(ThumbnailQuality, PngTransparencyIsLaidOverWhiteAndGreyAt16BitsIsScaled) {
  // Every sample 0x80: grey 128 at alpha 128 over white is
  // (128 * 128 + 255 * 127 + 127) / 255 = 191; at 16 bits, 0x8080 is 128.
  // All-zero samples at alpha 0 are white.
  const struct {
    int depth, colourType;
    char sample;
    uint8_t shown;
  } cases[] = {{8, 6, '\x80', 191}, {8, 6, 0, 255}, {16, 0, '\x80', 128}, {8, 2, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.depth) + " bits, colour type " + std::to_string(c.colourType));
    const streaming::Reduced reduced =
        Reduce(MadeUpPng(6, 4, c.depth, c.colourType, "", c.sample), 3, 2);
    ASSERT_EQ(reduced.outcome, streaming::Outcome::Done);
    for (uint8_t value : reduced.pixels.pixels) ASSERT_EQ(value, c.shown);
  }
}

TEST(ThumbnailQuality, APictureWithoutPixelsScalesToWhite) {
  const platform::RgbImage white = streaming::ScaleByAreaAverage({}, 3, 2);
  EXPECT_EQ(white.width, 3);
  EXPECT_EQ(white.height, 2);
  EXPECT_EQ(white.pixels, std::vector<uint8_t>(18, 255));
}

}  // namespace thumbnail_tests
