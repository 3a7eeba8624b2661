// Picture files for the streaming decoders' tests: the fine-print page
// written in any format into memory, decoded back by the streaming
// decoders, and the page as the file stores it, for the box reference.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/streaming/PictureStream.h"
#include "support/BoxReference.h"
#include "support/PictureWriters.h"
#include "support/TextPage.h"

namespace thumbnail_tests {

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

inline testing_support::RowSource PageRows(const testing_support::TextPage& page) {
  return [&page](uint32_t y, uint8_t* rgb) { page.Row(y, rgb); };
}

// The page whole, each pixel as `stored` turns it (nothing when null).
inline testing_support::Rgb WholePage(const testing_support::TextPage& page,
                                      const std::function<void(uint8_t*)>& stored = nullptr) {
  testing_support::Rgb rgb{static_cast<int>(page.Width()), static_cast<int>(page.Height()), {}};
  rgb.pixels.resize(static_cast<size_t>(page.Width()) * page.Height() * 3);
  for (uint32_t y = 0; y < page.Height(); ++y) {
    uint8_t* row = rgb.pixels.data() + static_cast<size_t>(y) * page.Width() * 3;
    page.Row(y, row);
    if (stored) {
      for (uint32_t x = 0; x < page.Width(); ++x) stored(row + x * 3);
    }
  }
  return rgb;
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

}  // namespace thumbnail_tests
