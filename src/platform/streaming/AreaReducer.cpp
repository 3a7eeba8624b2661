#include "platform/streaming/AreaReducer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace streaming {
namespace {

// Rows added up in 16 bits before they are spread across: 257 rows of 255
// still fit.
constexpr uint32_t kBandRowsBeforeFlush = 257;
// Wider sources are spread across row by row instead: the band of 16-bit
// sums would grow past a megabyte and a half.
constexpr uint64_t kWidestQuickSource = 1u << 18;

// Adds a row of bytes to 16-bit sums. The compiler turns the loop into
// vector adds (-O3, see CMakeLists.txt).
#define PRISMEL_ADD_BYTES_BODY \
  for (size_t i = 0; i < count; ++i) sums[i] = static_cast<uint16_t>(sums[i] + bytes[i]);

#if defined(__i386__) && defined(__GNUC__)
// The 32-bit build targets processors before SSE2 too; SSE2 is used where
// the processor has it.
__attribute__((target("sse2"))) void AddBytesSse2(uint16_t* __restrict sums,
                                                  const uint8_t* __restrict bytes, size_t count) {
  PRISMEL_ADD_BYTES_BODY
}
void AddBytesPlain(uint16_t* __restrict sums, const uint8_t* __restrict bytes, size_t count) {
  PRISMEL_ADD_BYTES_BODY
}
void AddBytes(uint16_t* sums, const uint8_t* bytes, size_t count) {
  static const bool sse2 = __builtin_cpu_supports("sse2");
  if (sse2) {
    AddBytesSse2(sums, bytes, count);
  } else {
    AddBytesPlain(sums, bytes, count);
  }
}
#elif defined(__x86_64__) && defined(__linux__) && defined(__GNUC__) && !defined(__clang__)
// With AVX2 where the processor has it (chosen when the program loads).
__attribute__((target_clones("avx2", "default"))) void AddBytes(uint16_t* __restrict sums,
                                                               const uint8_t* __restrict bytes,
                                                               size_t count) {
  PRISMEL_ADD_BYTES_BODY
}
#else
void AddBytes(uint16_t* __restrict sums, const uint8_t* __restrict bytes, size_t count) {
  PRISMEL_ADD_BYTES_BODY
}
#endif
#undef PRISMEL_ADD_BYTES_BODY

uint64_t Overlap(uint64_t aBegin, uint64_t aEnd, uint64_t bBegin, uint64_t bEnd) {
  const uint64_t begin = std::max(aBegin, bBegin);
  const uint64_t end = std::min(aEnd, bEnd);
  return end > begin ? end - begin : 0;
}

}  // namespace

AreaReducer::AreaReducer(uint32_t sourceWidth, uint32_t sourceHeight, int width, int height,
                         Order order, bool bgr)
    : sourceWidth_(std::max<uint32_t>(1, sourceWidth)),
      sourceHeight_(std::max<uint32_t>(1, sourceHeight)),
      width_(std::max(1, width)),
      height_(std::max(1, height)),
      order_(order),
      bgr_(bgr) {
  // Positions are counted in units of 1/width of a source pixel across and
  // 1/height down: every overlap is then a whole number.
  const uint64_t w = static_cast<uint64_t>(width_);
  columns_.resize(static_cast<size_t>(width_));
  for (uint64_t d = 0; d < w; ++d) {
    ColumnSpan& span = columns_[d];
    span.first = static_cast<uint32_t>(std::min(d * sourceWidth_ / w, sourceWidth_ - 1));
    span.last = static_cast<uint32_t>(
        std::min(((d + 1) * sourceWidth_ - 1) / w, sourceWidth_ - 1));
    span.coverFirst = Overlap(span.first * w, (span.first + 1) * w, d * sourceWidth_,
                              (d + 1) * sourceWidth_);
    span.coverLast =
        Overlap(span.last * w, (span.last + 1) * w, d * sourceWidth_, (d + 1) * sourceWidth_);
  }
  quick_ = sourceHeight_ >= 2 * static_cast<uint64_t>(height_) &&
           sourceWidth_ <= kWidestQuickSource;
  if (quick_) band_.assign(static_cast<size_t>(sourceWidth_) * 3, 0);
  rowSums_.assign(static_cast<size_t>(width_) * 3, 0.0);
  rowWeights_.assign(static_cast<size_t>(width_), 0.0);
  sums_.resize(static_cast<size_t>(height_));
  retired_.assign(static_cast<size_t>(height_), false);
  nextBottom_ = height_ - 1;
  result_.width = width_;
  result_.height = height_;
  result_.pixels.assign(static_cast<size_t>(width_) * height_ * 3, 255);
}

template <typename T>
void AreaReducer::ReduceAcross(const T* pixels, double* sums) const {
  const uint64_t inside = static_cast<uint64_t>(width_);
  for (size_t d = 0; d < columns_.size(); ++d) {
    const ColumnSpan& span = columns_[d];
    const T* first = pixels + static_cast<size_t>(span.first) * 3;
    uint64_t r = span.coverFirst * first[0];
    uint64_t g = span.coverFirst * first[1];
    uint64_t b = span.coverFirst * first[2];
    if (span.last > span.first) {
      uint64_t ri = 0, gi = 0, bi = 0;
      const T* p = first + 3;
      const T* end = pixels + static_cast<size_t>(span.last) * 3;
      for (; p < end; p += 3) {
        ri += p[0];
        gi += p[1];
        bi += p[2];
      }
      r += inside * ri + span.coverLast * end[0];
      g += inside * gi + span.coverLast * end[1];
      b += inside * bi + span.coverLast * end[2];
    }
    sums[d * 3] = static_cast<double>(r);
    sums[d * 3 + 1] = static_cast<double>(g);
    sums[d * 3 + 2] = static_cast<double>(b);
  }
}

float* AreaReducer::SumsOf(int row) {
  std::vector<float>& sums = sums_[static_cast<size_t>(row)];
  if (sums.empty()) {
    if (!spare_.empty()) {
      sums.swap(spare_.back());
      spare_.pop_back();
      std::fill(sums.begin(), sums.end(), 0.0f);
    } else {
      sums.assign(static_cast<size_t>(width_) * 4, 0.0f);
    }
  }
  return sums.data();
}

void AreaReducer::ClearRowSums(int firstColumn, int lastColumn) {
  std::fill(rowSums_.begin() + firstColumn * 3, rowSums_.begin() + (lastColumn + 1) * 3, 0.0);
  std::fill(rowWeights_.begin() + firstColumn, rowWeights_.begin() + lastColumn + 1, 0.0);
}

// The spread-across row into every result row that source row `y` reaches,
// by the part of it each covers.
void AreaReducer::AddRowSums(uint32_t y, int firstColumn, int lastColumn) {
  const uint64_t h = static_cast<uint64_t>(height_);
  const uint64_t top = y * h;
  const uint64_t bottom = top + h;
  const int firstRow = static_cast<int>(std::min<uint64_t>(top / sourceHeight_, h - 1));
  const int lastRow = static_cast<int>(std::min<uint64_t>((bottom - 1) / sourceHeight_, h - 1));
  for (int d = firstRow; d <= lastRow; ++d) {
    if (retired_[static_cast<size_t>(d)]) continue;
    const double cover = static_cast<double>(
        Overlap(top, bottom, static_cast<uint64_t>(d) * sourceHeight_,
                static_cast<uint64_t>(d + 1) * sourceHeight_));
    if (cover <= 0) continue;
    float* sums = SumsOf(d);
    float* weights = sums + static_cast<size_t>(width_) * 3;
    for (int x = firstColumn; x <= lastColumn; ++x) {
      const size_t at = static_cast<size_t>(x) * 3;
      sums[at] += static_cast<float>(cover * rowSums_[at]);
      sums[at + 1] += static_cast<float>(cover * rowSums_[at + 1]);
      sums[at + 2] += static_cast<float>(cover * rowSums_[at + 2]);
      weights[x] += static_cast<float>(cover * rowWeights_[static_cast<size_t>(x)]);
    }
  }
}

void AreaReducer::FlushBand() {
  if (bandRows_ == 0 || bandRow_ < 0) return;
  if (!retired_[static_cast<size_t>(bandRow_)]) {
    ReduceAcross(band_.data(), rowSums_.data());
    // Every row of a band lies wholly inside its result row, and every
    // column's spans add up to the source width.
    const double weight = static_cast<double>(sourceWidth_) * static_cast<double>(height_) *
                          static_cast<double>(bandRows_);
    std::fill(rowWeights_.begin(), rowWeights_.end(), weight);
    float* sums = SumsOf(bandRow_);
    float* weights = sums + static_cast<size_t>(width_) * 3;
    const double h = static_cast<double>(height_);
    for (int x = 0; x < width_; ++x) {
      const size_t at = static_cast<size_t>(x) * 3;
      sums[at] += static_cast<float>(h * rowSums_[at]);
      sums[at + 1] += static_cast<float>(h * rowSums_[at + 1]);
      sums[at + 2] += static_cast<float>(h * rowSums_[at + 2]);
      weights[x] += static_cast<float>(weight);
    }
  }
  std::fill(band_.begin(), band_.end(), 0);
  bandRows_ = 0;
}

void AreaReducer::AddRow(uint32_t y, const uint8_t* pixels) {
  if (y >= sourceHeight_) return;
  received_ = true;
  const uint64_t h = static_cast<uint64_t>(height_);
  const int row = static_cast<int>(std::min<uint64_t>(y * h / sourceHeight_, h - 1));
  const bool inside = static_cast<uint64_t>(row) * sourceHeight_ <= y * h &&
                      (y + 1) * h <= static_cast<uint64_t>(row + 1) * sourceHeight_;
  if (quick_ && inside && !retired_[static_cast<size_t>(row)]) {
    if (row != bandRow_) {
      FlushBand();
      bandRow_ = row;
    }
    AddBytes(band_.data(), pixels, band_.size());
    if (++bandRows_ == kBandRowsBeforeFlush) FlushBand();
  } else {
    ReduceAcross(pixels, rowSums_.data());
    std::fill(rowWeights_.begin(), rowWeights_.end(), static_cast<double>(sourceWidth_));
    AddRowSums(y, 0, width_ - 1);
  }
  Progress(y);
}

void AreaReducer::AddPixels(uint32_t y, uint32_t x, uint32_t step, uint32_t count,
                            const uint8_t* pixels) {
  if (y >= sourceHeight_ || count == 0 || step == 0 || x >= sourceWidth_) return;
  count = static_cast<uint32_t>(
      std::min<uint64_t>(count, (sourceWidth_ - 1 - x) / step + 1));
  received_ = true;
  const uint64_t w = static_cast<uint64_t>(width_);
  const uint64_t lastX = x + static_cast<uint64_t>(count - 1) * step;
  const int firstColumn = static_cast<int>(std::min<uint64_t>(x * w / sourceWidth_, w - 1));
  const int lastColumn =
      static_cast<int>(std::min<uint64_t>(((lastX + 1) * w - 1) / sourceWidth_, w - 1));
  ClearRowSums(firstColumn, lastColumn);
  // The result column and where it ends, followed along the row instead of
  // divided out for every pixel.
  uint64_t column = static_cast<uint64_t>(firstColumn);
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t s = x + static_cast<uint64_t>(i) * step;
    const uint64_t begin = s * w;
    const uint64_t end = begin + w;
    while ((column + 1) * sourceWidth_ <= begin) ++column;
    const uint8_t* p = pixels + static_cast<size_t>(i) * 3;
    for (uint64_t d = column; d < w && d * sourceWidth_ < end; ++d) {
      const double cover =
          static_cast<double>(Overlap(begin, end, d * sourceWidth_, (d + 1) * sourceWidth_));
      rowSums_[d * 3] += cover * p[0];
      rowSums_[d * 3 + 1] += cover * p[1];
      rowSums_[d * 3 + 2] += cover * p[2];
      rowWeights_[d] += cover;
    }
  }
  AddRowSums(y, firstColumn, lastColumn);
  // A row in pieces is finished by its last piece only: the result rows it
  // reaches still receive the pieces before that.
  if (lastX + step >= sourceWidth_) Progress(y);
}

// Writes out the result rows no later source row can reach.
void AreaReducer::Progress(uint32_t y) {
  const uint64_t h = static_cast<uint64_t>(height_);
  if (order_ == Order::TopDown) {
    while (nextTop_ < height_ &&
           static_cast<uint64_t>(nextTop_ + 1) * sourceHeight_ <= (y + 1) * h) {
      Retire(nextTop_++);
    }
  } else if (order_ == Order::BottomUp) {
    while (nextBottom_ >= 0 && static_cast<uint64_t>(nextBottom_) * sourceHeight_ >= y * h) {
      Retire(nextBottom_--);
    }
  }
}

void AreaReducer::Retire(int row) {
  if (retired_[static_cast<size_t>(row)]) return;
  if (row == bandRow_) {
    FlushBand();
    bandRow_ = -1;
  }
  retired_[static_cast<size_t>(row)] = true;
  std::vector<float>& sums = sums_[static_cast<size_t>(row)];
  if (sums.empty()) return;
  const float* weights = sums.data() + static_cast<size_t>(width_) * 3;
  uint8_t* out = result_.pixels.data() + static_cast<size_t>(row) * width_ * 3;
  for (int x = 0; x < width_; ++x) {
    const float weight = weights[x];
    if (weight <= 0) continue;
    for (int c = 0; c < 3; ++c) {
      const double value = std::lround(sums[static_cast<size_t>(x) * 3 + c] / weight);
      out[x * 3 + (bgr_ ? 2 - c : c)] = static_cast<uint8_t>(std::clamp(value, 0.0, 255.0));
    }
  }
  spare_.push_back(std::move(sums));
  sums.clear();
  // A few rows are in use at a time; more spare ones would only be held.
  if (spare_.size() > 4) spare_.pop_back();
}

platform::RgbImage AreaReducer::Finish() {
  FlushBand();
  for (int row = 0; row < height_; ++row) Retire(row);
  spare_.clear();
  return std::move(result_);
}

platform::RgbImage ScaleByAreaAverage(const platform::RgbImage& source, int width, int height) {
  if (source.width <= 0 || source.height <= 0 ||
      source.pixels.size() < static_cast<size_t>(source.width) * source.height * 3) {
    platform::RgbImage white;
    white.width = std::max(1, width);
    white.height = std::max(1, height);
    white.pixels.assign(static_cast<size_t>(white.width) * white.height * 3, 255);
    return white;
  }
  AreaReducer reducer(static_cast<uint32_t>(source.width), static_cast<uint32_t>(source.height),
                      width, height, AreaReducer::Order::TopDown);
  const size_t stride = static_cast<size_t>(source.width) * 3;
  for (int y = 0; y < source.height; ++y) {
    reducer.AddRow(static_cast<uint32_t>(y), source.pixels.data() + stride * y);
  }
  return reducer.Finish();
}

platform::RgbImage LetterboxOnWhite(const platform::RgbImage& fast,
                                    const platform::ThumbnailLayout& layout) {
  platform::RgbImage cell;
  cell.width = std::max(1, layout.cellWidth);
  cell.height = std::max(1, layout.cellHeight);
  cell.pixels.assign(static_cast<size_t>(cell.width) * cell.height * 3, 255);

  // The placement is clipped to the cell.
  const int left = std::clamp(layout.placement.left, 0, cell.width);
  const int top = std::clamp(layout.placement.top, 0, cell.height);
  const int right = std::clamp(layout.placement.right, left, cell.width);
  const int bottom = std::clamp(layout.placement.bottom, top, cell.height);
  if (right <= left || bottom <= top) return cell;
  const platform::RgbImage drawn =
      ScaleByAreaAverage(fast, layout.placement.Width(), layout.placement.Height());
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

}  // namespace streaming
