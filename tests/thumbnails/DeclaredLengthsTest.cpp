// Lengths and sizes that a file declares but does not hold: a PNG chunk of
// gigabytes, a progressive JPEG of more blocks than its bytes can code.
// Each costs no more memory than what the file really holds can fill; the
// allocations are measured in a child with a limited address space, where
// a decoder that trusts a declared length gets nothing instead of taking
// the machine's memory.
#include <zlib.h>

#include <algorithm>
#include <string>

#include "platform/headless/HeadlessImaging.h"
#include "support/AllocationProbe.h"
#include "support/TestFolder.h"
#include "thumbnails/StreamFiles.h"

using testing_support::ChildMeasure;
using testing_support::MeasureInChild;
using thumbnail_tests::CorpusFile;
using thumbnail_tests::Reduce;
using thumbnail_tests::Written;

namespace {

// A pane picture of `bytes` read from a file on disk, whose size the
// decoder knows as it would for a capture; whether there was one.
bool PaneFromFile(const std::string& bytes) {
  testing_support::TestFolder folder;
  const std::string path = folder.WriteFile("picture.jpg", bytes).generic_string();
  headless::HeadlessImaging imaging;
  return imaging.LoadPicture(std::u16string(path.begin(), path.end())) != nullptr;
}

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

// A PNG chunk; its length field says `declared` bytes when given, however
// many follow.
std::string Chunk(const std::string& type, const std::string& data, int64_t declared = -1) {
  const std::string named = type + data;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(named.data()),
                          static_cast<uInt>(named.size()));
  return Be32(static_cast<uint32_t>(declared < 0 ? data.size() : declared)) + named +
         Be32(static_cast<uint32_t>(crc));
}

// A PNG of zero samples, not interlaced, with `extra` chunks between the
// header and the pixels.
std::string MadeUpPng(uint32_t width, uint32_t height, int depth, int colourType,
                      const std::string& extra) {
  const int channels = colourType == 6 ? 4 : colourType == 2 ? 3 : 1;
  const size_t rawBytes = height * (1 + static_cast<size_t>(width) * channels * depth / 8);
  std::string raw(rawBytes, '\0');
  uLongf packedBytes = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedBytes, '\0');
  compress(reinterpret_cast<Bytef*>(&packed[0]), &packedBytes,
           reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
  packed.resize(packedBytes);
  const std::string header = Be32(width) + Be32(height) + static_cast<char>(depth) +
                             static_cast<char>(colourType) + std::string(3, '\0');
  return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + extra +
         Chunk("IDAT", packed) + Chunk("IEND", "");
}

}  // namespace

struct AncillaryChunk {
  const char* type;
  bool beyondTheFile;  // declares 2 GB, else holds 1 MB that is there
};

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
  const ChildMeasure measure = MeasureInChild(16u << 20, [&] {
    const streaming::Outcome expected =
        chunk.beyondTheFile ? streaming::Outcome::Refused : streaming::Outcome::Done;
    return Reduce(png, 20, 15).outcome == expected ? 0 : 1;
  });
  ASSERT_TRUE(measure.exited);
  EXPECT_EQ(measure.result, 0);
  // The reader's 256 KB buffer is the largest block there is.
  EXPECT_LE(measure.largest, 256u << 10);
}

INSTANTIATE_TEST_SUITE_P(
    Types, HostilePngChunks,
    testing::Values(AncillaryChunk{"tEXt", true}, AncillaryChunk{"zTXt", true},
                    AncillaryChunk{"iTXt", true}, AncillaryChunk{"iCCP", true},
                    AncillaryChunk{"sPLT", true}, AncillaryChunk{"eXIf", true},
                    AncillaryChunk{"prVt", true}, AncillaryChunk{"tEXt", false},
                    AncillaryChunk{"iCCP", false}, AncillaryChunk{"prVt", false}),
    [](const testing::TestParamInfo<AncillaryChunk>& info) {
      return std::string(info.param.type) + (info.param.beyondTheFile ? "BeyondTheFile" : "Present");
    });

TEST(DeclaredLengths, AWidePngAt16BitsWithAlphaStaysWithinItsRowBound) {
  // 100,000 pixels of 8 bytes: libpng's row and its copy of the row before
  // are 800 KB each, within 64 KB + 8 bytes a pixel.
  const std::string png = MadeUpPng(100000, 2, 16, 6, "");
  const ChildMeasure measure = MeasureInChild(16u << 20, [&] {
    const streaming::Reduced reduced = Reduce(png, 100, 2);
    return reduced.outcome == streaming::Outcome::Done && reduced.size.width == 100000 ? 0 : 1;
  });
  ASSERT_TRUE(measure.exited);
  EXPECT_EQ(measure.result, 0);
  EXPECT_GE(measure.largest, 800000u);
  EXPECT_LE(measure.largest, (64u << 10) + 8 * 100000);
}

// A progressive JPEG of 16 x 16 pixels whose frame header was made to say
// 8000 x 8000: 384 MB of coefficients in 582 bytes, which can code at most
// 4,656 blocks. It is refused before libjpeg allocates its buffer.
TEST(DeclaredLengths, AProgressiveJpegOfMoreBlocksThanItsFileCodesIsRefused) {
  const std::string jpeg = CorpusFile("JpegStreamFuzz/progressive-8000-square-in-582-bytes.jpg");
  ASSERT_EQ(jpeg.size(), 582u);
  std::string smaller = jpeg;
  const size_t frame = smaller.find("\xFF\xC2");
  ASSERT_NE(frame, std::string::npos);
  // 2000 x 2000: 24 MB, still more than 16 MB of rows and 582 bytes' worth.
  for (size_t at : {frame + 5, frame + 7}) {
    smaller[at] = 0x07;
    smaller[at + 1] = static_cast<char>(0xD0);
  }
  const ChildMeasure measure = MeasureInChild(64u << 20, [&] {
    if (thumbnail_tests::HeaderOf(jpeg).size.width != 8000) return 1;
    if (Reduce(jpeg, 80, 60).outcome != streaming::Outcome::Refused) return 2;
    if (Reduce(smaller, 80, 60).outcome != streaming::Outcome::Refused) return 3;
    return PaneFromFile(smaller) ? 4 : 0;
  });
  ASSERT_TRUE(measure.exited);
  EXPECT_EQ(measure.result, 0);
  EXPECT_LE(measure.largest, 64u << 10);
}

// The tightest real case: a flat progressive picture codes each block in
// about two bits. 12 megapixels (36 MB of coefficients) in 71 KB decode.
TEST(DeclaredLengths, AFlatProgressiveJpegOfTwelveMegapixelsDecodes) {
  const std::string jpeg = Written([](std::FILE* file) {
    return testing_support::WriteJpeg(
        file, 4000, 3000, [](uint32_t, uint8_t* rgb) { std::fill(rgb, rgb + 4000 * 3, 200); },
        90, true);
  });
  ASSERT_LT(jpeg.size(), 100u << 10);
  const ChildMeasure measure = MeasureInChild(128u << 20, [&] {
    const streaming::Reduced reduced = Reduce(jpeg, 80, 60);
    if (reduced.outcome != streaming::Outcome::Done) return 1;
    for (uint8_t value : reduced.pixels.pixels) {
      if (value < 198 || value > 202) return 2;
    }
    return PaneFromFile(jpeg) ? 0 : 3;
  });
  ASSERT_TRUE(measure.exited);
  EXPECT_EQ(measure.result, 0);
  EXPECT_GE(measure.peakGrowth, 36'000'000);
}
