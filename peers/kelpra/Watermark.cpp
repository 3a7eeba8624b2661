// Watermark placement and blending.
#include "Watermark.h"

#include <algorithm>
#include <cmath>

#include "FontLocator.h"
#include "TextRaster.h"

namespace kelpra {
namespace {

constexpr int kDefaultPointSize = 36;

int PixelHeight(int points, int dpi, const Image& image) {
  if (points <= 0) points = kDefaultPointSize;
  const int64_t pixels = static_cast<int64_t>(points) * std::max(dpi, 1) / 72;
  return static_cast<int>(
      std::clamp<int64_t>(pixels, 6, std::max(6, std::min(image.width, image.height))));
}

}  // namespace

void DrawWatermark(Image& image, const WatermarkOptions& options, int dpi, bool bilevel) {
  if (!options.enabled || options.text.empty() || image.Empty()) return;
  float transparency = std::isfinite(options.transparency) ? options.transparency : 0.0f;
  transparency = std::clamp(transparency, 0.0f, 100.0f);
  const double opacity = (100.0 - transparency) / 100.0;
  if (opacity <= 0) return;

  TextStyle style;
  style.pixelHeight = PixelHeight(options.fontSize, dpi, image);
  style.bold = options.bold;
  style.italic = options.italic;
  style.underline = options.underline;
  const std::shared_ptr<const LoadedFont> font = FindFont(options.font);
  const CoverageMask mask = RotateMask(RasterText(font.get(), options.text, style), options.angle);
  if (mask.Empty()) return;

  const int position = options.position >= 0 && options.position <= 8 ? options.position : 4;
  const int margin = std::max(4, std::min(image.width, image.height) / 40);
  const int column = position % 3, row = position / 3;
  const int left = column == 0   ? margin
                   : column == 1 ? (image.width - mask.width) / 2
                                 : image.width - mask.width - margin;
  const int top = row == 0   ? margin
                  : row == 1 ? (image.height - mask.height) / 2
                             : image.height - mask.height - margin;

  const uint8_t colour[3] = {static_cast<uint8_t>(std::clamp(options.red, 0, 255)),
                             static_cast<uint8_t>(std::clamp(options.green, 0, 255)),
                             static_cast<uint8_t>(std::clamp(options.blue, 0, 255))};
  const uint8_t grey =
      static_cast<uint8_t>((colour[0] * 299 + colour[1] * 587 + colour[2] * 114 + 500) / 1000);
  for (int y = 0; y < mask.height; ++y) {
    const int iy = top + y;
    if (iy < 0 || iy >= image.height) continue;
    for (int x = 0; x < mask.width; ++x) {
      const int ix = left + x;
      if (ix < 0 || ix >= image.width) continue;
      const double alpha = mask.At(x, y) / 255.0 * opacity;
      if (alpha <= 0) continue;
      uint8_t* pixel = image.At(ix, iy);
      if (image.channels == 1) {
        double value = pixel[0] * (1 - alpha) + grey * alpha;
        if (bilevel) value = value < 128 ? 0 : 255;
        pixel[0] = static_cast<uint8_t>(value + 0.5);
      } else {
        for (int k = 0; k < 3; ++k)
          pixel[k] = static_cast<uint8_t>(pixel[k] * (1 - alpha) + colour[k] * alpha + 0.5);
      }
    }
  }
}

}  // namespace kelpra
