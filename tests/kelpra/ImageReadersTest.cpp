// The reference library's picture readers with files that declare more
// than they hold: each is refused before a block of the declared size is
// allocated, measured in a child with a limited address space.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "ImageCodec.h"
#include "TiffFormat.h"
#include "support/AllocationProbe.h"
#include "support/MadePictures.h"
#include "support/TestFolder.h"

namespace {

std::string CorpusFile(const std::string& name) {
  return testing_support::ReadWholeFile(std::string(PRISMEL_FUZZ_CORPUS_DIR) + "/" + name);
}

// A TIFF written by the library, 10 x 10, then made to declare 8000 x 5000
// in one strip: 120 MB of rows in a file of a few hundred bytes.
std::string TiffDeclaringMoreRows() {
  std::string tiff = kelpra::EncodeTiff(kelpra::Image(10, 10, 3), 72, 72);
  // Entries follow the count at 8; width, height and rows per strip are
  // the first, second and eighth, each value 8 bytes into its entry.
  tiff.replace(10 + 0 * 12 + 8, 4, testing_support::Le32(8000));
  tiff.replace(10 + 1 * 12 + 8, 4, testing_support::Le32(5000));
  tiff.replace(10 + 7 * 12 + 8, 4, testing_support::Le32(5000));
  return tiff;
}

// The 16 x 16 progressive seed made to declare 6000 x 6000.
std::string JpegDeclaringMoreBlocks() {
  std::string jpeg = CorpusFile("JpegStreamFuzz/progressive.jpg");
  const size_t frame = jpeg.find("\xFF\xC2");
  if (frame == std::string::npos) return {};
  for (size_t at : {frame + 5, frame + 7}) {
    jpeg[at] = static_cast<char>(6000 >> 8);
    jpeg[at + 1] = static_cast<char>(6000 & 0xFF);
  }
  return jpeg;
}

}  // namespace

TEST(KelpraImageReaders, FilesDeclaringMoreThanTheyHoldAreRefusedWithoutSuchABlock) {
  const std::pair<const char*, std::string> files[] = {
      {"png", CorpusFile("PngStreamFuzz/gigabyte-text-chunk-png.bin")},
      {"tiff", TiffDeclaringMoreRows()},
      {"jpeg", JpegDeclaringMoreBlocks()}};
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    ASSERT_GT(bytes.size(), 100u);
    const testing_support::ChildMeasure measure =
        testing_support::MeasureInChild(64u << 20, [&bytes] {
          kelpra::Image image;
          int dpiX = 0, dpiY = 0;
          return kelpra::DecodeImage(bytes, image, dpiX, dpiY) ? 1 : 0;
        });
    ASSERT_TRUE(measure.exited);
    EXPECT_EQ(measure.result, 0);
    EXPECT_LE(measure.largest, 1u << 20);
  }
}
