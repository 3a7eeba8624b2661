// Scaling by area averaging while a picture is read: each pixel of the
// result is the mean of the source pixels it covers, parts of pixels counted
// by the part covered (an exact box filter). Down to a few pixels this keeps
// fine detail such as text as an even tone instead of stripes or moiré.
//
// Rows arrive one at a time (whole, in pieces, or every n-th pixel of an
// interlaced pass); only the result and the result rows still receiving
// pixels are held, never the source picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Imaging.h"

namespace streaming {

class AreaReducer {
 public:
  // The order source rows arrive in. In a known order every finished result
  // row is written out as soon as no later source row can reach it, so only
  // two or three rows of sums are held; in any order, sums for every result
  // row are held until Finish.
  enum class Order { TopDown, BottomUp, Any };

  // A source of `sourceWidth` x `sourceHeight` (each at least 1) into a
  // result of `width` x `height` (each at least 1; smaller or larger).
  // With `bgr` the source pixels come blue first, as BMP stores them.
  AreaReducer(uint32_t sourceWidth, uint32_t sourceHeight, int width, int height, Order order,
              bool bgr = false);
  AreaReducer(const AreaReducer&) = delete;
  AreaReducer& operator=(const AreaReducer&) = delete;

  // Source row `y` whole: sourceWidth pixels of 3 bytes.
  void AddRow(uint32_t y, const uint8_t* pixels);
  // `count` pixels of source row `y` at x, x + step, x + 2 step... A row
  // given in pieces, left to right, is finished by the piece that reaches
  // its end.
  void AddPixels(uint32_t y, uint32_t x, uint32_t step, uint32_t count, const uint8_t* pixels);
  // Whether any pixel was added.
  bool Received() const { return received_; }
  // The result; places no source pixel reached are white.
  platform::RgbImage Finish();

 private:
  struct ColumnSpan {
    uint32_t first;
    uint32_t last;
    uint64_t coverFirst;  // in 1/width of a source pixel
    uint64_t coverLast;
  };

  template <typename T>
  void ReduceAcross(const T* pixels, double* sums) const;
  void ClearRowSums(int firstColumn, int lastColumn);
  void AddRowSums(uint32_t y, int firstColumn, int lastColumn);
  void FlushBand();
  void Progress(uint32_t y);
  float* SumsOf(int row);
  void Retire(int row);

  uint64_t sourceWidth_;
  uint64_t sourceHeight_;
  int width_;
  int height_;
  Order order_;
  bool bgr_;
  bool received_ = false;
  std::vector<ColumnSpan> columns_;

  // The quick way for rows that fall wholly inside one result row: their
  // bytes are added up in 16 bits, and spread across only once per band.
  bool quick_ = false;
  std::vector<uint16_t> band_;
  int bandRow_ = -1;
  uint32_t bandRows_ = 0;

  // One source row spread across: sums and weights per result column.
  std::vector<double> rowSums_;
  std::vector<double> rowWeights_;

  // Per result row still receiving: width x (R, G, B sums, weight), or
  // empty; rows written out are never reopened.
  std::vector<std::vector<float>> sums_;
  std::vector<std::vector<float>> spare_;
  std::vector<bool> retired_;
  int nextTop_ = 0;
  int nextBottom_ = 0;

  platform::RgbImage result_;
};

// `source` scaled to `width` x `height` (each at least 1).
platform::RgbImage ScaleByAreaAverage(const platform::RgbImage& source, int width, int height);

// The thumbnail cell of `layout`: white, with `fast` (the picture already at
// the layout's fast-thumbnail size) scaled into its placement.
platform::RgbImage LetterboxOnWhite(const platform::RgbImage& fast,
                                    const platform::ThumbnailLayout& layout);

}  // namespace streaming
