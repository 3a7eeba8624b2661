#include "platform/headless/ThumbnailScaler.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace headless {
namespace {

// The source span [first, last] that destination pixel `d` covers, with
// `ratio` source pixels per destination pixel.
struct Span {
  int first;
  int last;
  double begin;
  double end;
};

Span SpanOf(int d, double ratio, int sourceLength) {
  Span span;
  span.begin = d * ratio;
  span.end = (d + 1) * ratio;
  span.first = std::min(static_cast<int>(span.begin), sourceLength - 1);
  span.last = std::min(static_cast<int>(std::ceil(span.end)) - 1, sourceLength - 1);
  span.last = std::max(span.last, span.first);
  return span;
}

double Coverage(const Span& span, int s) {
  return std::max(0.0, std::min(span.end, s + 1.0) - std::max(span.begin, static_cast<double>(s)));
}

}  // namespace

platform::RgbImage ScaleByAreaAverage(const platform::RgbImage& source, int width, int height) {
  platform::RgbImage result;
  result.width = std::max(1, width);
  result.height = std::max(1, height);
  result.pixels.assign(static_cast<size_t>(result.width) * result.height * 3, 255);
  if (source.width <= 0 || source.height <= 0 ||
      source.pixels.size() < static_cast<size_t>(source.width) * source.height * 3) {
    return result;
  }

  const double ratioX = static_cast<double>(source.width) / result.width;
  const double ratioY = static_cast<double>(source.height) / result.height;
  std::vector<Span> columns;
  columns.reserve(static_cast<size_t>(result.width));
  for (int x = 0; x < result.width; ++x) columns.push_back(SpanOf(x, ratioX, source.width));

  // Row by row: each source row is averaged across, then added to the
  // destination rows it overlaps, so memory stays at one row plus the result.
  const size_t rowValues = static_cast<size_t>(result.width) * 3;
  std::vector<double> sums(rowValues * result.height, 0.0);
  std::vector<double> weights(static_cast<size_t>(result.height), 0.0);
  std::vector<double> across(rowValues);
  for (int y = 0; y < source.height; ++y) {
    const uint8_t* row = source.pixels.data() + static_cast<size_t>(y) * source.width * 3;
    for (int x = 0; x < result.width; ++x) {
      const Span& span = columns[static_cast<size_t>(x)];
      double r = 0, g = 0, b = 0, total = 0;
      for (int s = span.first; s <= span.last; ++s) {
        const double w = Coverage(span, s);
        const uint8_t* p = row + static_cast<size_t>(s) * 3;
        r += w * p[0];
        g += w * p[1];
        b += w * p[2];
        total += w;
      }
      if (total <= 0) total = 1;
      across[static_cast<size_t>(x) * 3] = r / total;
      across[static_cast<size_t>(x) * 3 + 1] = g / total;
      across[static_cast<size_t>(x) * 3 + 2] = b / total;
    }
    int first = std::min(static_cast<int>(y / ratioY), result.height - 1);
    for (int d = first; d < result.height && d * ratioY < y + 1.0; ++d) {
      const Span span = SpanOf(d, ratioY, source.height);
      const double w = Coverage(span, y);
      if (w <= 0) continue;
      double* target = sums.data() + static_cast<size_t>(d) * rowValues;
      for (size_t i = 0; i < rowValues; ++i) target[i] += w * across[i];
      weights[static_cast<size_t>(d)] += w;
    }
  }

  for (int d = 0; d < result.height; ++d) {
    const double w = weights[static_cast<size_t>(d)];
    if (w <= 0) continue;
    const double* sum = sums.data() + static_cast<size_t>(d) * rowValues;
    uint8_t* out = result.pixels.data() + static_cast<size_t>(d) * rowValues;
    for (size_t i = 0; i < rowValues; ++i) {
      out[i] = static_cast<uint8_t>(std::clamp(std::lround(sum[i] / w), 0L, 255L));
    }
  }
  return result;
}

platform::RgbImage LetterboxOnWhite(const platform::RgbImage& picture,
                                    const platform::ThumbnailLayout& layout) {
  platform::RgbImage cell;
  cell.width = std::max(1, layout.cellWidth);
  cell.height = std::max(1, layout.cellHeight);
  cell.pixels.assign(static_cast<size_t>(cell.width) * cell.height * 3, 255);

  const platform::RgbImage fast =
      ScaleByAreaAverage(picture, layout.scaledWidth, layout.scaledHeight);
  // The placement is clipped to the cell.
  const int left = std::clamp(layout.placement.left, 0, cell.width);
  const int top = std::clamp(layout.placement.top, 0, cell.height);
  const int right = std::clamp(layout.placement.right, left, cell.width);
  const int bottom = std::clamp(layout.placement.bottom, top, cell.height);
  if (right <= left || bottom <= top) return cell;
  const platform::RgbImage drawn = ScaleByAreaAverage(
      fast, layout.placement.Width(), layout.placement.Height());
  for (int y = top; y < bottom; ++y) {
    const int sy = y - layout.placement.top;
    const size_t skipped = static_cast<size_t>(left - layout.placement.left);
    const uint8_t* from =
        drawn.pixels.data() + (static_cast<size_t>(sy) * drawn.width + skipped) * 3;
    uint8_t* to = cell.pixels.data() + (static_cast<size_t>(y) * cell.width + left) * 3;
    std::copy(from, from + static_cast<size_t>(right - left) * 3, to);
  }
  return cell;
}

}  // namespace headless
