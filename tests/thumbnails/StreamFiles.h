// Picture files for the streaming decoders' tests: pictures written in any
// format into memory, PNGs and BMPs put together chunk by chunk, decoded
// back by the streaming decoders, and the pictures as the files store
// them, for the box reference.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/streaming/PictureStream.h"
#include "support/AllocationProbe.h"
#include "support/BoxReference.h"
#include "support/MadePictures.h"
#include "support/PictureWriters.h"
#include "support/TextPage.h"

namespace thumbnail_tests {

using testing_support::BmpBytes;
using testing_support::Colour;
using testing_support::kWhite;
using testing_support::RowSource;
using testing_support::TextPage;

// What a writer puts in a temporary file, as bytes.
inline std::string Written(const std::function<bool(std::FILE*)>& write) {
  std::FILE* file = std::tmpfile();
  if (file == nullptr) return {};
  std::string bytes;
  if (write(file) && std::fflush(file) == 0) {
    std::rewind(file);
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  }
  std::fclose(file);
  return bytes;
}

// A file of a fuzz target's seed corpus (fuzz/corpus/<target>/<name>), as
// bytes: hostile files found by fuzzing.
inline std::string CorpusFile(const std::string& name) {
  std::ifstream file(std::string(PRISMEL_FUZZ_CORPUS_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline RowSource PageRows(const TextPage& page) {
  return [&page](uint32_t y, uint8_t* rgb) { page.Row(y, rgb); };
}

// A page written as a BMP of `kind`, as a PNG, or as a JPEG at quality 90.
inline std::string BmpOf(const TextPage& page, const testing_support::BmpKind& kind = {}) {
  return Written([&](std::FILE* file) {
    return testing_support::WriteBmp(file, page.Width(), page.Height(), PageRows(page), kind);
  });
}
inline std::string PngOf(const TextPage& page, bool interlaced) {
  return Written([&](std::FILE* file) {
    return testing_support::WritePng(file, page.Width(), page.Height(), PageRows(page), interlaced);
  });
}
inline std::string JpegOf(const TextPage& page) {
  return Written([&](std::FILE* file) {
    return testing_support::WriteJpeg(file, page.Width(), page.Height(), PageRows(page), 90);
  });
}

// The picture of `rows` whole, each pixel as a BMP of `stored` keeps it.
inline testing_support::Rgb Whole(uint32_t width, uint32_t height, const RowSource& rows,
                                  const testing_support::BmpKind& stored = {}) {
  testing_support::Rgb rgb{static_cast<int>(width), static_cast<int>(height), {}};
  rgb.pixels.resize(static_cast<size_t>(width) * height * 3);
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* row = rgb.pixels.data() + static_cast<size_t>(y) * width * 3;
    rows(y, row);
    for (uint32_t x = 0; x < width; ++x) testing_support::StoredColour(stored, row + x * 3);
  }
  return rgb;
}
inline testing_support::Rgb WholePage(const TextPage& page,
                                      const testing_support::BmpKind& stored = {}) {
  return Whole(page.Width(), page.Height(), PageRows(page), stored);
}

inline streaming::Reduced Reduce(const std::string& bytes, uint32_t width, uint32_t height) {
  streaming::MemorySource source(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return streaming::ReducePicture(source, [=](platform::ImageSize) {
    return platform::ImageSize{width, height};
  });
}

inline streaming::Header HeaderOf(const std::string& bytes) {
  streaming::MemorySource source(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return streaming::ReadHeader(source);
}

// The reduced picture against the box reduction of `whole`, within the
// quality bounds (with `meanOnly`, within the bound of the mean only).
inline void ExpectMatches(const streaming::Reduced& reduced, const testing_support::Rgb& whole,
                          bool meanOnly = false) {
  ASSERT_EQ(reduced.outcome, streaming::Outcome::Done);
  const testing_support::Rgb reference =
      testing_support::BoxReduce(whole, reduced.pixels.width, reduced.pixels.height);
  const testing_support::Difference d = testing_support::Compare(
      reduced.pixels.pixels, reference.pixels, reference.width, reference.height);
  EXPECT_TRUE(meanOnly ? d.mean <= 2.0 : testing_support::WithinBounds(d))
      << "mean " << d.mean << ", largest " << d.largest << ", worst row or column " << d.worstLine;
}

// The pixel at (x, y) of a decoded picture.
inline Colour PixelAt(const streaming::Reduced& reduced, int x, int y) {
  const uint8_t* p = reduced.pixels.pixels.data() + (y * reduced.pixels.width + x) * 3;
  return Colour{p[0], p[1], p[2]};
}

// What `run` (0 when all went as expected) did in a child whose address
// space may grow by `room` bytes; no block it asked for was larger than
// `largest`.
inline testing_support::ChildMeasure ExpectInChild(uint64_t room, size_t largest,
                                                   const std::function<int()>& run) {
  const testing_support::ChildMeasure measure = testing_support::MeasureInChild(room, run);
  EXPECT_TRUE(measure.exited);
  EXPECT_EQ(measure.result, 0);
  EXPECT_LE(measure.largest, largest);
  return measure;
}

inline std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

// A PNG chunk; its length field says `declared` bytes when given, however
// many follow.
inline std::string Chunk(const std::string& type, const std::string& data, int64_t declared = -1) {
  const std::string named = type + data;
  const uLong crc =
      crc32(0, reinterpret_cast<const Bytef*>(named.data()), static_cast<uInt>(named.size()));
  return Be32(static_cast<uint32_t>(declared < 0 ? data.size() : declared)) + named +
         Be32(static_cast<uint32_t>(crc));
}

// A PNG whose every sample byte is `sample`, not interlaced, with `extra`
// chunks between the header and the pixels.
inline std::string MadeUpPng(uint32_t width, uint32_t height, int depth, int colourType,
                             const std::string& extra = "", char sample = 0) {
  const int channels = colourType == 6 ? 4 : colourType == 2 ? 3 : 1;
  const size_t rowBytes = static_cast<size_t>(width) * channels * depth / 8;
  std::string raw;
  for (uint32_t y = 0; y < height; ++y) raw += '\0' + std::string(rowBytes, sample);
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

}  // namespace thumbnail_tests
