// Files cut short, lying about their size or otherwise broken: the
// streaming decoders refuse them or give the part they have, on white, and
// no picture is ever held whole however large it claims to be.
#include <cstdio>

#include "support/AllocationProbe.h"
#include "thumbnails/StreamFiles.h"

using testing_support::ChildMeasure;
using testing_support::MeasureInChild;
using testing_support::TextPage;
using thumbnail_tests::CorpusFile;
using thumbnail_tests::ExpectMatches;
using thumbnail_tests::HeaderOf;
using thumbnail_tests::PageRows;
using thumbnail_tests::Reduce;
using thumbnail_tests::WholePage;
using thumbnail_tests::Written;

namespace {

const TextPage kPage(400, 300);

std::string PagePng(bool interlaced) {
  return Written([&](std::FILE* file) {
    return testing_support::WritePng(file, kPage.Width(), kPage.Height(), PageRows(kPage),
                                     interlaced);
  });
}

bool AllWhite(const platform::RgbImage& image, int firstRow, int lastRow) {
  for (int y = firstRow; y <= lastRow; ++y) {
    for (int x = 0; x < image.width * 3; ++x) {
      if (image.pixels[static_cast<size_t>(y) * image.width * 3 + x] != 255) return false;
    }
  }
  return true;
}

// A 24-bit BMP made up while it is read: a header declaring `width` x
// `height`, then rows of the page pattern, never all in memory.
class MadeUpBmp : public streaming::ByteSource {
 public:
  MadeUpBmp(uint32_t width, uint32_t height) : page_(width, height), row_((width * 3 + 3) & ~3u) {
    header_ = std::string(54, '\0');
    auto put = [this](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) header_[at + i] = static_cast<char>(v >> (8 * i));
    };
    header_[0] = 'B';
    header_[1] = 'M';
    put(10, 54);
    put(14, 40);
    put(18, width);
    put(22, height);
    header_[26] = 1;
    header_[28] = 24;
  }
  size_t Read(uint8_t* buffer, size_t size) override {
    size_t done = 0;
    while (done < size) {
      if (at_ < header_.size()) {
        buffer[done++] = static_cast<uint8_t>(header_[at_++]);
        continue;
      }
      const uint64_t inPixels = at_ - header_.size();
      const uint64_t y = inPixels / row_.size();
      if (y >= page_.Height()) break;
      if (inPixels % row_.size() == 0) {
        std::vector<uint8_t> rgb(page_.Width() * 3);
        page_.Row(page_.Height() - 1 - static_cast<uint32_t>(y), rgb.data());
        for (uint32_t x = 0; x < page_.Width(); ++x) {
          row_[x * 3] = rgb[x * 3 + 2];
          row_[x * 3 + 1] = rgb[x * 3 + 1];
          row_[x * 3 + 2] = rgb[x * 3];
        }
      }
      const size_t offset = static_cast<size_t>(inPixels % row_.size());
      const size_t count = std::min(size - done, row_.size() - offset);
      std::copy(row_.begin() + offset, row_.begin() + offset + count, buffer + done);
      done += count;
      at_ += count;
    }
    return done;
  }

 private:
  TextPage page_;
  std::string header_;
  std::vector<uint8_t> row_;
  uint64_t at_ = 0;
};

}  // namespace

TEST(HostileFiles, ABmpCutShortShowsTheRowsItHasOnWhite) {
  const std::string whole = Written([&](std::FILE* file) {
    return testing_support::WriteBmp(file, kPage.Width(), kPage.Height(), PageRows(kPage));
  });
  // The bottom half of the rows, as a bottom-up file stores them first.
  const size_t row = kPage.Width() * 3;
  const std::string cut = whole.substr(0, 54 + row * 150 + row / 2);
  const streaming::Reduced reduced = Reduce(cut, 80, 60);
  ASSERT_EQ(reduced.outcome, streaming::Outcome::Done);
  EXPECT_TRUE(AllWhite(reduced.pixels, 0, 29));
  EXPECT_FALSE(AllWhite(reduced.pixels, 30, 59));
  // Without a single whole row there is nothing to show.
  EXPECT_EQ(Reduce(whole.substr(0, 54 + row - 1), 80, 60).outcome, streaming::Outcome::Refused);
}

TEST(HostileFiles, APngCutShortShowsTheRowsItHasAndOneWithoutPixelsIsRefused) {
  const std::string png = PagePng(false);
  const streaming::Reduced half = Reduce(png.substr(0, png.size() / 2), 80, 60);
  ASSERT_EQ(half.outcome, streaming::Outcome::Done);
  EXPECT_FALSE(AllWhite(half.pixels, 0, 20));
  EXPECT_TRUE(AllWhite(half.pixels, 50, 59));
  EXPECT_EQ(Reduce(png.substr(0, 60), 80, 60).outcome, streaming::Outcome::Refused);
  // An interlaced one cut in its last pass still shows the whole page,
  // from the passes before.
  const std::string interlaced = PagePng(true);
  const streaming::Reduced early = Reduce(interlaced.substr(0, interlaced.size() * 3 / 4), 80, 60);
  ASSERT_EQ(early.outcome, streaming::Outcome::Done);
  EXPECT_FALSE(AllWhite(early.pixels, 50, 59));
}

TEST(HostileFiles, AJpegCutShortStillGivesAPictureOfItsSize) {
  const std::string jpeg = Written([&](std::FILE* file) {
    return testing_support::WriteJpeg(file, kPage.Width(), kPage.Height(), PageRows(kPage), 90);
  });
  const streaming::Reduced cut = Reduce(jpeg.substr(0, jpeg.size() / 2), 80, 60);
  ASSERT_EQ(cut.outcome, streaming::Outcome::Done);
  EXPECT_EQ(cut.pixels.width, 80);
  EXPECT_EQ(cut.size.height, 300u);
  EXPECT_EQ(Reduce(jpeg.substr(0, 20), 80, 60).outcome, streaming::Outcome::Refused);
}

TEST(HostileFiles, SizesOverTheLimitAreRefusedFromTheHeaderInEveryFormat) {
  // 20000 x 20000 is 400 megapixels, in headers of a few dozen bytes.
  std::string png = PagePng(false).substr(0, 33);
  for (size_t at : {16u, 20u}) {
    png[at] = 0;
    png[at + 1] = 0;
    png[at + 2] = 0x4E;
    png[at + 3] = 0x20;
  }
  const TextPage small(16, 16);
  std::string jpeg = Written([&](std::FILE* file) {
    return testing_support::WriteJpeg(file, 16, 16, PageRows(small), 90);
  });
  const size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  for (size_t at : {frame + 5, frame + 7}) {
    jpeg[at] = 0x4E;
    jpeg[at + 1] = 0x20;
  }
  std::string bmp(54, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[10] = 54;
  bmp[14] = 40;
  bmp[18] = 0x20;
  bmp[19] = 0x4E;
  bmp[22] = 0x20;
  bmp[23] = 0x4E;
  bmp[26] = 1;
  bmp[28] = 24;
  for (const std::string& bytes : {png, jpeg, bmp}) {
    EXPECT_EQ(HeaderOf(bytes).outcome, streaming::Outcome::Refused);
    EXPECT_EQ(Reduce(bytes, 80, 60).outcome, streaming::Outcome::Refused);
  }
  // BMPs holding a JPEG and other formats are left to the platform's
  // decoder.
  std::string embedded = bmp;
  embedded[18] = embedded[22] = 16;
  embedded[19] = embedded[23] = 0;
  embedded[28] = 0;
  embedded[30] = 4;
  EXPECT_EQ(HeaderOf(embedded).outcome, streaming::Outcome::NotMine);
  EXPECT_EQ(HeaderOf("II*\0 a TIFF file").outcome, streaming::Outcome::NotMine);
}

TEST(HostileFiles, RowsWiderThanAnyBufferAreReadInPieces) {
  // 300000 pixels a row: more than is ever taken in one piece.
  const TextPage wide(300000, 3, 4);
  const std::string bytes = Written([&](std::FILE* file) {
    return testing_support::WriteBmp(file, wide.Width(), wide.Height(), PageRows(wide));
  });
  ExpectMatches(Reduce(bytes, 90, 1), WholePage(wide));
}

TEST(HostileFiles, AThumbnailOfA24MegapixelBmpFitsInAFewMegabytesMore) {
  // A frame of this picture alone would be 72 MB; its rows are 18 KB.
  const ChildMeasure measure = MeasureInChild(16u << 20, [] {
    MadeUpBmp bmp(6000, 4000);
    const streaming::Reduced reduced = streaming::ReducePicture(
        bmp, [](platform::ImageSize) { return platform::ImageSize{90, 60}; });
    return reduced.outcome == streaming::Outcome::Done && reduced.size.width == 6000 ? 0 : 1;
  });
  ASSERT_TRUE(measure.exited);
  EXPECT_EQ(measure.result, 0);
  // The reader's 256 KB buffer is the largest block.
  EXPECT_LE(measure.largest, 256u << 10);
}

// Found by fuzzing: a 496-byte PNG (19 x 1037, 16 bits per channel,
// interlaced) whose first chunk after the header is a text chunk declaring
// 1,700,885,605 bytes. libpng would allocate that much to read the text.
// Before the header is accepted no block libpng allocates may exceed
// 64 KB, and ancillary chunks are skipped unread: the file ends inside
// that chunk, before any pixel, so it is refused.
TEST(HostileFiles, APngChunkDeclaringGigabytesIsRefusedWithinThePngBound) {
  const std::string png = CorpusFile("PngStreamFuzz/gigabyte-text-chunk-png.bin");
  ASSERT_EQ(png.size(), 496u);
  const ChildMeasure measure = MeasureInChild(4u << 20, [&png] {
    if (HeaderOf(png).outcome != streaming::Outcome::Refused) return 1;
    if (Reduce(png, 80, 60).outcome != streaming::Outcome::Refused) return 2;
    return 0;
  });
  ASSERT_TRUE(measure.exited);
  EXPECT_EQ(measure.result, 0);
  EXPECT_LE(measure.largest, 64u << 10);
  EXPECT_LE(measure.peakGrowth, 128 << 10);
  std::printf("largest block %zu bytes, peak growth %lld bytes\n", measure.largest,
              static_cast<long long>(measure.peakGrowth));
}
