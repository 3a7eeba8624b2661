// Cropping, edge filling, colour styles, rotation and scaling.
#include "ImageOps.h"

#include <algorithm>
#include <cstring>

namespace kelpra {
namespace {

uint8_t Luma(const uint8_t* rgb) {
  return static_cast<uint8_t>((rgb[0] * 299 + rgb[1] * 587 + rgb[2] * 114 + 500) / 1000);
}

Image ToGrey(const Image& image) {
  if (image.channels == 1) return image;
  Image grey(image.width, image.height, 1);
  const size_t count = static_cast<size_t>(image.width) * image.height;
  for (size_t i = 0; i < count; ++i) grey.pixels[i] = Luma(&image.pixels[i * 3]);
  return grey;
}

// Stretches the grey levels between the 1st and 99th percentile to the full
// range, the way a scanner's "enhanced grey" brightens paper.
void StretchContrast(Image& grey) {
  size_t histogram[256] = {};
  for (uint8_t p : grey.pixels) ++histogram[p];
  const size_t total = grey.pixels.size();
  size_t sum = 0;
  int low = 0, high = 255;
  for (int i = 0; i < 256; ++i) {
    sum += histogram[i];
    if (sum * 100 >= total) {
      low = i;
      break;
    }
  }
  sum = 0;
  for (int i = 255; i >= 0; --i) {
    sum += histogram[i];
    if (sum * 100 >= total) {
      high = i;
      break;
    }
  }
  if (high <= low) return;
  uint8_t table[256];
  for (int i = 0; i < 256; ++i)
    table[i] = static_cast<uint8_t>(std::clamp((i - low) * 255 / (high - low), 0, 255));
  for (uint8_t& p : grey.pixels) p = table[p];
}

void GlobalThreshold(Image& grey, int level) {
  for (uint8_t& p : grey.pixels) p = p < level ? 0 : 255;
}

// Black where a pixel is clearly darker than its neighbourhood: text stays,
// paper and evenly lit desk turn white.
void DocumentThreshold(Image& grey) {
  const int w = grey.width, h = grey.height;
  std::vector<uint64_t> integral(static_cast<size_t>(w + 1) * (h + 1), 0);
  for (int y = 0; y < h; ++y) {
    uint64_t rowSum = 0;
    for (int x = 0; x < w; ++x) {
      rowSum += grey.pixels[static_cast<size_t>(y) * w + x];
      integral[static_cast<size_t>(y + 1) * (w + 1) + x + 1] =
          integral[static_cast<size_t>(y) * (w + 1) + x + 1] + rowSum;
    }
  }
  const int radius = std::max(4, std::min(w, h) / 40);
  Image out(w, h, 1);
  for (int y = 0; y < h; ++y) {
    const int y0 = std::max(0, y - radius), y1 = std::min(h, y + radius + 1);
    for (int x = 0; x < w; ++x) {
      const int x0 = std::max(0, x - radius), x1 = std::min(w, x + radius + 1);
      const uint64_t area = static_cast<uint64_t>(x1 - x0) * (y1 - y0);
      const uint64_t sum = integral[static_cast<size_t>(y1) * (w + 1) + x1] -
                           integral[static_cast<size_t>(y0) * (w + 1) + x1] -
                           integral[static_cast<size_t>(y1) * (w + 1) + x0] +
                           integral[static_cast<size_t>(y0) * (w + 1) + x0];
      const uint64_t value = grey.pixels[static_cast<size_t>(y) * w + x];
      out.pixels[static_cast<size_t>(y) * w + x] = value * 100 * area < sum * 80 ? 0 : 255;
    }
  }
  grey = std::move(out);
}

}  // namespace

Image Crop(const Image& image, PixelRect rect) {
  rect.left = std::clamp(rect.left, 0, image.width);
  rect.right = std::clamp(rect.right, 0, image.width);
  rect.top = std::clamp(rect.top, 0, image.height);
  rect.bottom = std::clamp(rect.bottom, 0, image.height);
  if (rect.Empty()) return Image();
  Image out(rect.Width(), rect.Height(), image.channels);
  for (int y = 0; y < out.height; ++y)
    std::memcpy(out.At(0, y), image.At(rect.left, rect.top + y), out.Stride());
  return out;
}

PixelRect Grow(PixelRect rect, int margin, int width, int height) {
  return PixelRect{std::max(0, rect.left - margin), std::max(0, rect.top - margin),
                   std::min(width, rect.right + margin), std::min(height, rect.bottom + margin)};
}

PixelRect PercentRect(int left, int top, int right, int bottom, int width, int height) {
  left = std::clamp(left, 0, 100);
  top = std::clamp(top, 0, 100);
  right = std::clamp(right, 0, 100);
  bottom = std::clamp(bottom, 0, 100);
  if (right <= left || bottom <= top) return PixelRect{};
  return PixelRect{static_cast<int>(static_cast<int64_t>(width) * left / 100),
                   static_cast<int>(static_cast<int64_t>(height) * top / 100),
                   static_cast<int>(static_cast<int64_t>(width) * right / 100),
                   static_cast<int>(static_cast<int64_t>(height) * bottom / 100)};
}

void FillOutside(Image& image, const std::vector<PixelRect>& keep) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      bool inside = false;
      for (const PixelRect& r : keep) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
          inside = true;
          break;
        }
      }
      if (!inside) std::memset(image.At(x, y), 255, image.channels);
    }
  }
}

Image ApplyColourStyle(const Image& image, int style, int adjustment) {
  if (style == kStyleGrey) {
    Image grey = ToGrey(image);
    if (adjustment == kAdjustGrey) StretchContrast(grey);
    return grey;
  }
  if (style == kStyleBlackWhite) {
    Image grey = ToGrey(image);
    if (adjustment == kAdjustDocument)
      DocumentThreshold(grey);
    else
      GlobalThreshold(grey, 128);
    return grey;
  }
  return image;
}

Image Rotate(const Image& image, int quarterTurns) {
  const int turns = ((quarterTurns % 4) + 4) % 4;
  if (turns == 0) return image;
  const int w = image.width, h = image.height, c = image.channels;
  Image out = turns == 2 ? Image(w, h, c) : Image(h, w, c);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int nx, ny;
      if (turns == 1) {  // clockwise: the left column becomes the top row
        nx = h - 1 - y;
        ny = x;
      } else if (turns == 2) {
        nx = w - 1 - x;
        ny = h - 1 - y;
      } else {
        nx = y;
        ny = w - 1 - x;
      }
      std::memcpy(out.At(nx, ny), image.At(x, y), c);
    }
  }
  return out;
}

Image Resize(const Image& image, int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  if (image.Empty()) return Image(width, height, image.channels, 255);
  Image out(width, height, image.channels);
  const int c = image.channels;
  for (int y = 0; y < height; ++y) {
    const double sy = std::clamp((y + 0.5) * image.height / height - 0.5, 0.0, image.height - 1.0);
    const int y0 = static_cast<int>(sy), y1 = std::min(y0 + 1, image.height - 1);
    const double fy = sy - y0;
    for (int x = 0; x < width; ++x) {
      const double sx = std::clamp((x + 0.5) * image.width / width - 0.5, 0.0, image.width - 1.0);
      const int x0 = static_cast<int>(sx), x1 = std::min(x0 + 1, image.width - 1);
      const double fx = sx - x0;
      for (int k = 0; k < c; ++k) {
        const double top = image.At(x0, y0)[k] * (1 - fx) + image.At(x1, y0)[k] * fx;
        const double bottom = image.At(x0, y1)[k] * (1 - fx) + image.At(x1, y1)[k] * fx;
        out.At(x, y)[k] = static_cast<uint8_t>(top * (1 - fy) + bottom * fy + 0.5);
      }
    }
  }
  return out;
}

Image WithChannels(const Image& image, int channels) {
  if (image.channels == channels) return image;
  if (channels == 1) return ToGrey(image);
  Image out(image.width, image.height, 3);
  const size_t count = static_cast<size_t>(image.width) * image.height;
  for (size_t i = 0; i < count; ++i)
    out.pixels[i * 3] = out.pixels[i * 3 + 1] = out.pixels[i * 3 + 2] = image.pixels[i];
  return out;
}

}  // namespace kelpra
