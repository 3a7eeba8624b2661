// Thumbnails from the streaming decoders look like an exact box-filter
// reduction of the whole picture: every BMP depth and row order, JPEG
// scaled while it decodes, interlaced PNG.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "thumbnails/StreamFiles.h"

using testing_support::BmpKind;
using testing_support::TextPage;
using thumbnail_tests::ExpectMatches;
using thumbnail_tests::PageRows;
using thumbnail_tests::Reduce;
using thumbnail_tests::WholePage;
using thumbnail_tests::Written;

namespace {

// Odd sizes, so that no result pixel lines up with the source grid.
const TextPage kPage(601, 451);

std::string Bmp(const BmpKind& kind) {
  return Written([&](std::FILE* file) {
    return testing_support::WriteBmp(file, kPage.Width(), kPage.Height(), PageRows(kPage), kind);
  });
}

// The JPEG decoded whole by libjpeg itself.
testing_support::Rgb FullJpegDecode(const std::string& bytes) {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  testing_support::Rgb rgb{static_cast<int>(info.output_width),
                           static_cast<int>(info.output_height), {}};
  rgb.pixels.resize(static_cast<size_t>(rgb.width) * rgb.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rgb.pixels.data() + static_cast<size_t>(info.output_scanline) * rgb.width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return rgb;
}

}  // namespace

TEST(ThumbnailQuality, EveryBmpDepthAndRowOrderMatchesTheBoxReduction) {
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    for (bool topDown : {false, true}) {
      BmpKind kind;
      kind.bits = bits;
      kind.topDown = topDown;
      SCOPED_TRACE(std::to_string(bits) + (topDown ? " bits, top row first" : " bits"));
      const std::string bytes = Bmp(kind);
      const testing_support::Rgb whole =
          WholePage(kPage, [&kind](uint8_t* rgb) { testing_support::StoredColour(kind, rgb); });
      // The thumbnail list's fast thumbnail and a larger pane picture.
      ExpectMatches(Reduce(bytes, 90, 67), whole);
      ExpectMatches(Reduce(bytes, 250, 188), whole);
    }
  }
}

TEST(ThumbnailQuality, AlphaInA32BitBmpIsLaidOverWhiteUnlessEveryAlphaIsZero) {
  BmpKind half;
  half.bits = 32;
  half.alphaMask = true;
  half.alpha = 128;
  ExpectMatches(Reduce(Bmp(half), 90, 67), WholePage(kPage, [&half](uint8_t* rgb) {
                  testing_support::StoredColour(half, rgb);
                }));
  // Writers that have no alpha leave the byte 0: the picture is opaque.
  BmpKind none = half;
  none.alpha = 0;
  ExpectMatches(Reduce(Bmp(none), 90, 67), WholePage(kPage));
}

TEST(ThumbnailQuality, ScaledJpegMatchesTheBoxReductionOfItsFullDecode) {
  const TextPage photo(2400, 1800, 5);
  const std::string bytes = Written([&](std::FILE* file) {
    return testing_support::WriteJpeg(file, photo.Width(), photo.Height(), PageRows(photo), 90);
  });
  const testing_support::Rgb whole = FullJpegDecode(bytes);
  ASSERT_EQ(whole.width, 2400);
  // Decoded at 2/8 for the thumbnail, then averaged.
  ExpectMatches(Reduce(bytes, 90, 67), whole);
  // A pane picture, decoded at 4/8: libjpeg's scaled decode is no box
  // filter, so only its mean is held to the bound.
  ExpectMatches(Reduce(bytes, 600, 450), whole, true);
}

TEST(ThumbnailQuality, InterlacedPngMatchesTheBoxReduction) {
  for (bool interlaced : {true, false}) {
    SCOPED_TRACE(interlaced ? "interlaced" : "plain");
    const std::string bytes = Written([&](std::FILE* file) {
      return testing_support::WritePng(file, kPage.Width(), kPage.Height(), PageRows(kPage),
                                       interlaced);
    });
    ExpectMatches(Reduce(bytes, 90, 67), WholePage(kPage));
    ExpectMatches(Reduce(bytes, 250, 188), WholePage(kPage));
  }
}

TEST(ThumbnailQuality, APictureSmallerThanTheCellIsScaledUpByArea) {
  const TextPage tiny(37, 23, 9);
  const std::string bytes = Written([&](std::FILE* file) {
    return testing_support::WritePng(file, tiny.Width(), tiny.Height(), PageRows(tiny), true);
  });
  ExpectMatches(Reduce(bytes, 90, 56), WholePage(tiny));
}
