// The reference a thumbnail is held to: an exact box-filter reduction of
// the whole picture, worked out plainly in floating point (each source
// pixel weighted by the part of the result pixel it covers), and how far a
// thumbnail lies from it. Portable: native and Windows tests share it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace testing_support {

struct Rgb {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // RGB rows, top first
};

inline Rgb BoxReduce(const Rgb& source, int width, int height) {
  Rgb result{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  const double sx = static_cast<double>(source.width) / width;
  const double sy = static_cast<double>(source.height) / height;
  for (int dy = 0; dy < height; ++dy) {
    const double top = dy * sy, bottom = (dy + 1) * sy;
    for (int dx = 0; dx < width; ++dx) {
      const double left = dx * sx, right = (dx + 1) * sx;
      double sum[3] = {0, 0, 0}, weight = 0;
      for (int y = static_cast<int>(top); y < source.height && y < bottom; ++y) {
        const double wy = std::min(bottom, y + 1.0) - std::max(top, static_cast<double>(y));
        for (int x = static_cast<int>(left); x < source.width && x < right; ++x) {
          const double w = wy * (std::min(right, x + 1.0) - std::max(left, static_cast<double>(x)));
          const uint8_t* p = source.pixels.data() + (static_cast<size_t>(y) * source.width + x) * 3;
          for (int c = 0; c < 3; ++c) sum[c] += w * p[c];
          weight += w;
        }
      }
      for (int c = 0; c < 3; ++c) {
        result.pixels[(static_cast<size_t>(dy) * width + dx) * 3 + c] =
            static_cast<uint8_t>(std::lround(sum[c] / weight));
      }
    }
  }
  return result;
}

// How far `picture` lies from `reference` (same size), in grey levels: the
// mean and largest difference of any channel, and the largest mean
// difference of one row or one column, where stripes would show.
struct Difference {
  double mean = 0;
  int largest = 0;
  double worstLine = 0;
};

inline Difference Compare(const std::vector<uint8_t>& picture,
                          const std::vector<uint8_t>& reference, int width, int height) {
  if (picture.size() != reference.size() || picture.size() != static_cast<size_t>(width) * height * 3) {
    return Difference{255, 255, 255};
  }
  Difference d;
  std::vector<double> rows(static_cast<size_t>(height)), columns(static_cast<size_t>(width));
  double total = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) {
        const size_t at = (static_cast<size_t>(y) * width + x) * 3 + c;
        const int diff = std::abs(static_cast<int>(picture[at]) - static_cast<int>(reference[at]));
        total += diff;
        rows[static_cast<size_t>(y)] += diff;
        columns[static_cast<size_t>(x)] += diff;
        d.largest = std::max(d.largest, diff);
      }
    }
  }
  d.mean = total / (static_cast<double>(width) * height * 3);
  for (double row : rows) d.worstLine = std::max(d.worstLine, row / (width * 3.0));
  for (double column : columns) d.worstLine = std::max(d.worstLine, column / (height * 3.0));
  return d;
}

// The quality bounds of a thumbnail against its reference: 2 grey levels
// on average, 8 at any pixel, and no stripes (no row or column off by more
// than 4 on average).
inline bool WithinBounds(const Difference& d) {
  return d.mean <= 2.0 && d.largest <= 8 && d.worstLine <= 4.0;
}

}  // namespace testing_support
