// Picture-in-picture and side-by-side joins.
#include "CombineImages.h"

#include <algorithm>
#include <cstring>

#include "ImageCodec.h"
#include "ImageOps.h"
#include "KelpraConfig.h"
#include "KelpraErrors.h"

namespace kelpra {
namespace {

// Copies source onto canvas at (left, top), clipped.
void Paste(Image& canvas, const Image& source, int left, int top) {
  for (int y = 0; y < source.height; ++y) {
    const int cy = top + y;
    if (cy < 0 || cy >= canvas.height) continue;
    const int x0 = std::max(0, -left);
    const int x1 = std::min(source.width, canvas.width - left);
    if (x1 <= x0) continue;
    std::memcpy(canvas.At(left + x0, cy), source.At(x0, y),
                static_cast<size_t>(x1 - x0) * canvas.channels);
  }
}

}  // namespace

int32_t CombineImages(const Image& firstIn, const Image& secondIn, int mode, int x, int y,
                      int width, int height, Image& out) {
  if (firstIn.Empty() || secondIn.Empty() || mode < 0 || mode > 8) return kErrBadArgument;
  const int channels = std::max(firstIn.channels, secondIn.channels);
  const Image first = WithChannels(firstIn, channels);
  Image second = WithChannels(secondIn, channels);
  if (width > 0 && height > 0) {
    if (width > limits::kMaxSide || height > limits::kMaxSide) return kErrBadArgument;
    second = Resize(second, width, height);
  }
  const int w1 = first.width, h1 = first.height, w2 = second.width, h2 = second.height;

  if (mode == 0) {
    out = first;
    Paste(out, second, x, y);
    return kOk;
  }
  const bool sideBySide = mode == 1 || mode == 4 || mode == 5 || mode == 8;
  const int canvasW = sideBySide ? w1 + w2 : std::max(w1, w2);
  const int canvasH = sideBySide ? std::max(h1, h2) : h1 + h2;
  if (canvasW > limits::kMaxSide * 2 || canvasH > limits::kMaxSide * 2 ||
      static_cast<int64_t>(canvasW) * canvasH > 2 * limits::kMaxPixels)
    return kErrBadArgument;
  out = Image(canvasW, canvasH, channels, 255);
  int fx = 0, fy = 0, sx = 0, sy = 0;
  switch (mode) {
    case 1:
      fx = w2;
      break;  // left, upper end
    case 2:
      fy = h2;
      break;  // top, left end
    case 3:
      fy = h2;
      fx = canvasW - w1;
      sx = canvasW - w2;
      break;  // top, right end
    case 4:
      sx = w1;
      break;  // right, upper end
    case 5:
      sx = w1;
      fy = canvasH - h1;
      sy = canvasH - h2;
      break;  // right, lower end
    case 6:
      sy = h1;
      fx = canvasW - w1;
      sx = canvasW - w2;
      break;  // bottom, right end
    case 7:
      sy = h1;
      break;  // bottom, left end
    case 8:
      fx = w2;
      fy = canvasH - h1;
      sy = canvasH - h2;
      break;  // left, lower end
    default:
      break;
  }
  Paste(out, first, fx, fy);
  Paste(out, second, sx, sy);
  return kOk;
}

int32_t CombineImageFiles(const std::string& first, const std::string& second,
                          const std::string& output, int mode, int x, int y, int width,
                          int height) {
  Image a, b;
  int dpiX = 0, dpiY = 0, unusedX = 0, unusedY = 0;
  int32_t result = ReadImageFile(first, a, dpiX, dpiY);
  if (result != kOk) return result;
  result = ReadImageFile(second, b, unusedX, unusedY);
  if (result != kOk) return result;
  Image joined;
  result = CombineImages(a, b, mode, x, y, width, height, joined);
  if (result != kOk) return result;
  return WriteImageFile(output, joined, dpiX, dpiY);
}

}  // namespace kelpra
