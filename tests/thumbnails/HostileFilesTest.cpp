// Files cut short, lying about their size or declaring lengths they do not
// hold: the streaming decoders refuse them or give the part they have, on
// white, and no picture is ever held whole however large it claims to be.
// Allocations are measured in a child with a limited address space, where
// a decoder that trusts a declared length gets nothing instead of taking
// the machine's memory.
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/headless/HeadlessImaging.h"
#include "support/TestFolder.h"
#include "thumbnails/StreamFiles.h"

using streaming::Outcome;
using testing_support::BmpHeaderOnly;

namespace thumbnail_tests {

namespace {

const TextPage kPage(400, 300);

bool AllWhite(const platform::RgbImage& image, int firstRow, int lastRow) {
  return std::all_of(image.pixels.begin() + firstRow * image.width * 3,
                     image.pixels.begin() + (lastRow + 1) * image.width * 3,
                     [](uint8_t value) { return value == 255; });
}

// The frame header's two sides of a JPEG, set to `side` (big-endian).
void SetJpegSides(std::string& jpeg, const char* marker, uint16_t side) {
  const size_t frame = jpeg.find(marker);
  ASSERT_NE(frame, std::string::npos);
  for (size_t at : {frame + 5, frame + 7}) {
    jpeg[at] = static_cast<char>(side >> 8);
    jpeg[at + 1] = static_cast<char>(side);
  }
}

// A pane picture of `bytes` read from a file on disk, whose size the
// decoder knows as it would for a capture; whether there was one.
bool PaneFromFile(const std::string& bytes) {
  testing_support::TestFolder folder;
  headless::HeadlessImaging imaging;
  return imaging.LoadPicture(folder.WriteFile("picture.jpg", bytes).generic_u16string()) != nullptr;
}

}  // namespace

TEST(HostileFiles, AFileCutShortShowsTheRowsItHasOnWhiteOneWithoutAnyIsRefusedCommentsAreSkipped) {
  const std::string whole = BmpOf(kPage);
  // The bottom half of the rows, as a bottom-up file stores them first.
  const size_t row = kPage.Width() * 3;
  const streaming::Reduced reduced = Reduce(whole.substr(0, 54 + row * 150 + row / 2), 80, 60);
  ASSERT_EQ(reduced.outcome, Outcome::Done);
  EXPECT_TRUE(AllWhite(reduced.pixels, 0, 29));
  EXPECT_FALSE(AllWhite(reduced.pixels, 30, 59));
  // Without a single whole row there is nothing to show.
  EXPECT_EQ(Reduce(whole.substr(0, 54 + row - 1), 80, 60).outcome, Outcome::Refused);

  // A PNG: the rows it has, top first.
  const std::string png = PngOf(kPage, false);
  const streaming::Reduced half = Reduce(png.substr(0, png.size() / 2), 80, 60);
  ASSERT_EQ(half.outcome, Outcome::Done);
  EXPECT_FALSE(AllWhite(half.pixels, 0, 20));
  EXPECT_TRUE(AllWhite(half.pixels, 50, 59));
  EXPECT_EQ(Reduce(png.substr(0, 60), 80, 60).outcome, Outcome::Refused);
  // An interlaced one cut in its last pass still shows the whole page,
  // from the passes before.
  const std::string interlaced = PngOf(kPage, true);
  const streaming::Reduced early = Reduce(interlaced.substr(0, interlaced.size() * 3 / 4), 80, 60);
  ASSERT_EQ(early.outcome, Outcome::Done);
  EXPECT_FALSE(AllWhite(early.pixels, 50, 59));

  // A JPEG gives a picture of its size.
  const std::string jpeg = JpegOf(kPage);
  const streaming::Reduced cut = Reduce(jpeg.substr(0, jpeg.size() / 2), 80, 60);
  ASSERT_EQ(cut.outcome, Outcome::Done);
  EXPECT_EQ(cut.pixels.width, 80);
  EXPECT_EQ(cut.size.height, 300u);
  EXPECT_EQ(Reduce(jpeg.substr(0, 20), 80, 60).outcome, Outcome::Refused);
  // A comment of 60,000 bytes after the start is skipped, not read: it is
  // full of end markers.
  std::string comment;
  while (comment.size() < 60000) comment += "\xFF\xD9";
  std::string commented = jpeg;
  commented.insert(2, "\xFF\xFE\xEA\x62" + comment);
  EXPECT_EQ(Reduce(commented, 80, 60).pixels.pixels, Reduce(jpeg, 80, 60).pixels.pixels);
}

TEST(HostileFiles, SizesOverTheLimitAreRefusedFromTheHeaderInEveryFormat) {
  // 20000 x 20000 is 400 megapixels, in headers of a few dozen bytes.
  std::string png = PngOf(kPage, false).substr(0, 33);
  for (size_t at : {16u, 20u}) png.replace(at, 4, Be32(20000));
  std::string jpeg = JpegOf(TextPage(16, 16));
  SetJpegSides(jpeg, "\xFF\xC0", 20000);
  for (const std::string& bytes : {png, jpeg, BmpHeaderOnly(20000, 20000)}) {
    EXPECT_EQ(HeaderOf(bytes).outcome, Outcome::Refused);
    EXPECT_EQ(Reduce(bytes, 80, 60).outcome, Outcome::Refused);
  }
  // 16000 x 15625 is exactly 250 megapixels; one row more is over.
  EXPECT_EQ(HeaderOf(BmpHeaderOnly(16000, 15625)).outcome, Outcome::Done);
  EXPECT_EQ(HeaderOf(BmpHeaderOnly(16000, 15626)).outcome, Outcome::Refused);
  // BMPs holding a JPEG and other formats are left to the platform's
  // decoder.
  EXPECT_EQ(HeaderOf(BmpBytes({16, 16, 0, 4})).outcome, Outcome::NotMine);
  EXPECT_EQ(HeaderOf("II*\0 a TIFF file").outcome, Outcome::NotMine);
}

TEST(HostileFiles, AThumbnailOfA24MegapixelBmpHoldsNoBlockOfItsSize) {
  // A frame of this picture would be 72 MB, its rows are 18 KB; the file
  // ends after 100 of them (1.8 MB).
  const std::string bmp = BmpBytes({6000, 4000}, std::string(6000 * 3 * 100, '\x40'));
  ExpectInChild(16u << 20, 256u << 10, [&] {
    const streaming::Reduced reduced = Reduce(bmp, 90, 60);
    return reduced.outcome == Outcome::Done && reduced.size.width == 6000 ? 0 : 1;
  });
}

TEST(HostileFiles, ABottomUpBmpMadeIntoALargePictureHoldsOnlyTheRowsItIsMaking) {
  // 2000 x 2000 at 8 bits into 2000 x 1000: each result row sums 32 KB, so
  // holding every row to the end would take 32 MB. A row is written out as
  // soon as no later source row reaches it.
  const std::string bmp = BmpBytes({2000, 2000, 8, 0, {{10, 20, 30}}}, std::string(2000 * 2000, 0));
  ExpectInChild(16u << 20, 8u << 20, [&] {
    const streaming::Reduced reduced = Reduce(bmp, 2000, 1000);
    return reduced.outcome == Outcome::Done && reduced.pixels.pixels[0] == 10 ? 0 : 1;
  });
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
  const testing_support::ChildMeasure measure = ExpectInChild(4u << 20, 64u << 10, [&png] {
    if (HeaderOf(png).outcome != Outcome::Refused) return 1;
    return Reduce(png, 80, 60).outcome == Outcome::Refused ? 0 : 2;
  });
  EXPECT_LE(measure.peakGrowth, 128 << 10);
}

struct AncillaryChunk {
  const char* type;
  bool beyondTheFile;  // declares 2 GB, else holds 1 MB that is there
};

// The test output names a case by its chunk, not by the bytes of a pointer.
void PrintTo(const AncillaryChunk& chunk, std::ostream* out) {
  *out << chunk.type << (chunk.beyondTheFile ? " beyond the file" : " present");
}

class HostilePngChunks : public testing::TestWithParam<AncillaryChunk> {};

// Texts, profiles, palettes, metadata and private chunks are skipped in
// pieces, never read whole: one that claims more than the file holds ends
// it before the pixels; one that is really there costs no block of its
// size, and the picture after it decodes.
TEST_P(HostilePngChunks, AreSkippedWithoutABlockOfTheirSize) {
  const AncillaryChunk chunk = GetParam();
  const std::string extra = chunk.beyondTheFile
                                ? Chunk(chunk.type, std::string(20, 'x'), 0x7FFFFFFF)
                                : Chunk(chunk.type, std::string(1 << 20, 'x'));
  const std::string png = MadeUpPng(40, 30, 8, 2, extra);
  // The reader's 256 KB buffer is the largest block there is.
  ExpectInChild(16u << 20, 256u << 10, [&] {
    const Outcome expected = chunk.beyondTheFile ? Outcome::Refused : Outcome::Done;
    return Reduce(png, 20, 15).outcome == expected ? 0 : 1;
  });
}

const AncillaryChunk kAncillaryChunks[] = {
    {"tEXt", true}, {"zTXt", true}, {"iTXt", true},  {"iCCP", true},  {"sPLT", true},
    {"eXIf", true}, {"prVt", true}, {"tEXt", false}, {"iCCP", false}, {"prVt", false}};

INSTANTIATE_TEST_SUITE_P(Types, HostilePngChunks, testing::ValuesIn(kAncillaryChunks),
                         [](const testing::TestParamInfo<AncillaryChunk>& info) {
                           return std::string(info.param.type) +
                                  (info.param.beyondTheFile ? "BeyondTheFile" : "Present");
                         });

TEST(HostileFiles, AWidePngAt16BitsWithAlphaStaysWithinItsRowBound) {
  // 100,000 pixels of 8 bytes: libpng's row and its copy of the row before
  // are 800 KB each, within 64 KB + 8 bytes a pixel.
  const std::string png = MadeUpPng(100000, 2, 16, 6);
  const testing_support::ChildMeasure measure =
      ExpectInChild(16u << 20, (64u << 10) + 8 * 100000, [&] {
        const streaming::Reduced reduced = Reduce(png, 100, 2);
        return reduced.outcome == Outcome::Done && reduced.size.width == 100000 ? 0 : 1;
      });
  EXPECT_GE(measure.largest, 800000u);
}

// A progressive JPEG of 16 x 16 pixels whose frame header was made to say
// 8000 x 8000: 384 MB of coefficients in 582 bytes, which can code at most
// 4,656 blocks. It is refused before libjpeg allocates its buffer.
TEST(HostileFiles, AProgressiveJpegOfMoreBlocksThanItsFileCodesIsRefused) {
  const std::string jpeg = CorpusFile("JpegStreamFuzz/progressive-8000-square-in-582-bytes.jpg");
  ASSERT_EQ(jpeg.size(), 582u);
  // 2000 x 2000: 24 MB, still more than 16 MB of rows and 582 bytes' worth.
  std::string smaller = jpeg;
  SetJpegSides(smaller, "\xFF\xC2", 2000);
  ExpectInChild(64u << 20, 64u << 10, [&] {
    if (HeaderOf(jpeg).size.width != 8000) return 1;
    if (Reduce(jpeg, 80, 60).outcome != Outcome::Refused) return 2;
    if (Reduce(smaller, 80, 60).outcome != Outcome::Refused) return 3;
    return PaneFromFile(smaller) ? 4 : 0;
  });
}

// The tightest real case: a flat progressive picture codes each block in
// about two bits. 12 megapixels (36 MB of coefficients) in 71 KB decode.
TEST(HostileFiles, AFlatProgressiveJpegOfTwelveMegapixelsDecodes) {
  const std::string jpeg = Written([](std::FILE* file) {
    return testing_support::WriteJpeg(
        file, 4000, 3000, [](uint32_t, uint8_t* rgb) { std::fill(rgb, rgb + 4000 * 3, 200); }, 90,
        true);
  });
  ASSERT_LT(jpeg.size(), 100u << 10);
  const testing_support::ChildMeasure measure = ExpectInChild(128u << 20, 128u << 20, [&] {
    const streaming::Reduced reduced = Reduce(jpeg, 80, 60);
    if (reduced.outcome != Outcome::Done) return 1;
    for (uint8_t value : reduced.pixels.pixels) {
      if (value < 198 || value > 202) return 2;
    }
    return PaneFromFile(jpeg) ? 0 : 3;
  });
  EXPECT_GE(measure.peakGrowth, 36'000'000);
}

}  // namespace thumbnail_tests
