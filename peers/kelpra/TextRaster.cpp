// Text rasterising with stb_truetype, or stb_easy_font as the last resort;
// bold, italic and underline are drawn onto the upright mask.
#include "TextRaster.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_easy_font.h>
#pragma GCC diagnostic pop

namespace kelpra {
namespace {

// The upright text before styling, with its baseline row.
struct Glyphs {
  CoverageMask mask;
  int baseline = 0;
};

Glyphs TrueTypeGlyphs(const LoadedFont& font, const std::string& text, int pixelHeight) {
  Glyphs out;
  stbtt_fontinfo info;
  const auto* data = reinterpret_cast<const unsigned char*>(font.bytes.data());
  if (!stbtt_InitFont(&info, data, font.offset)) return out;
  const float scale = stbtt_ScaleForPixelHeight(&info, static_cast<float>(pixelHeight));
  int ascent = 0, descent = 0, lineGap = 0;
  stbtt_GetFontVMetrics(&info, &ascent, &descent, &lineGap);
  const int baseline = static_cast<int>(std::ceil(ascent * scale));
  const int height = baseline + static_cast<int>(std::ceil(-descent * scale)) + 1;

  // First pass: pen positions and the total width.
  std::vector<float> penX;
  float pen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const int cp = static_cast<unsigned char>(text[i]);
    penX.push_back(pen);
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&info, cp, &advance, &bearing);
    pen += advance * scale;
    if (i + 1 < text.size())
      pen +=
          scale * stbtt_GetCodepointKernAdvance(&info, cp, static_cast<unsigned char>(text[i + 1]));
  }
  const int width = static_cast<int>(std::ceil(pen)) + 2;
  if (width <= 2 || height <= 1) return out;
  out.mask.width = width;
  out.mask.height = height;
  out.mask.coverage.assign(static_cast<size_t>(width) * height, 0);
  out.baseline = baseline;

  std::vector<unsigned char> glyph;
  for (size_t i = 0; i < text.size(); ++i) {
    const int cp = static_cast<unsigned char>(text[i]);
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointBitmapBox(&info, cp, scale, scale, &x0, &y0, &x1, &y1);
    const int gw = x1 - x0, gh = y1 - y0;
    if (gw <= 0 || gh <= 0 || gw > 4 * pixelHeight + 16 || gh > 4 * pixelHeight + 16) continue;
    glyph.assign(static_cast<size_t>(gw) * gh, 0);
    stbtt_MakeCodepointBitmap(&info, glyph.data(), gw, gh, gw, scale, scale, cp);
    const int left = static_cast<int>(std::floor(penX[i])) + x0;
    const int top = baseline + y0;
    for (int y = 0; y < gh; ++y) {
      const int ty = top + y;
      if (ty < 0 || ty >= height) continue;
      for (int x = 0; x < gw; ++x) {
        const int tx = left + x;
        if (tx < 0 || tx >= width) continue;
        uint8_t& dst = out.mask.coverage[static_cast<size_t>(ty) * width + tx];
        dst = std::max(dst, glyph[static_cast<size_t>(y) * gw + x]);
      }
    }
  }
  return out;
}

// The built-in segment font of stb_easy_font, scaled to the pixel height.
Glyphs BitmapGlyphs(const std::string& text, int pixelHeight) {
  Glyphs out;
  std::string printable;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    printable.push_back(u >= 32 && u < 127 ? c : '?');
  }
  if (printable.empty()) return out;
  std::vector<char> vertices(printable.size() * 400 + 64);
  const int quads = stb_easy_font_print(0, 0, &printable[0], nullptr, vertices.data(),
                                        static_cast<int>(vertices.size()));
  const float scale = pixelHeight / 10.0f;
  const int width = static_cast<int>(std::ceil(stb_easy_font_width(&printable[0]) * scale)) + 2;
  const int height = static_cast<int>(std::ceil(12 * scale)) + 1;
  out.mask.width = width;
  out.mask.height = height;
  out.mask.coverage.assign(static_cast<size_t>(width) * height, 0);
  out.baseline = static_cast<int>(8 * scale);
  for (int q = 0; q < quads; ++q) {
    const float* v = reinterpret_cast<const float*>(vertices.data() + q * 64);
    // Vertices are 16 bytes apart: x, y, z, colour. Quads are axis-aligned.
    const float* a = v;
    const float* c = reinterpret_cast<const float*>(vertices.data() + q * 64 + 32);
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min(a[0], c[0]) * scale)));
    const int x1 = std::min(width, static_cast<int>(std::ceil(std::max(a[0], c[0]) * scale)));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min(a[1], c[1]) * scale)));
    const int y1 = std::min(height, static_cast<int>(std::ceil(std::max(a[1], c[1]) * scale)));
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) out.mask.coverage[static_cast<size_t>(y) * width + x] = 255;
  }
  return out;
}

CoverageMask Embolden(const CoverageMask& mask, int radius) {
  CoverageMask out;
  out.width = mask.width + radius;
  out.height = mask.height;
  out.coverage.assign(static_cast<size_t>(out.width) * out.height, 0);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) {
      const uint8_t value = mask.At(x, y);
      if (value == 0) continue;
      for (int d = 0; d <= radius; ++d) {
        uint8_t& dst = out.coverage[static_cast<size_t>(y) * out.width + x + d];
        dst = std::max(dst, value);
      }
    }
  return out;
}

// Slants the text to the right: rows above the baseline move right.
CoverageMask Slant(const CoverageMask& mask, int baseline) {
  const double shear = 0.22;
  const int extra = static_cast<int>(std::ceil(mask.height * shear)) + 1;
  CoverageMask out;
  out.width = mask.width + extra;
  out.height = mask.height;
  out.coverage.assign(static_cast<size_t>(out.width) * out.height, 0);
  for (int y = 0; y < mask.height; ++y) {
    const double shift = (baseline - y) * shear + (mask.height - baseline) * shear;
    const int whole = static_cast<int>(std::floor(shift));
    const double frac = shift - whole;
    for (int x = 0; x < mask.width; ++x) {
      const uint8_t value = mask.At(x, y);
      if (value == 0) continue;
      const int tx = x + whole;
      if (tx >= 0 && tx < out.width) {
        uint8_t& a = out.coverage[static_cast<size_t>(y) * out.width + tx];
        a = static_cast<uint8_t>(std::min(255.0, a + value * (1 - frac)));
      }
      if (tx + 1 >= 0 && tx + 1 < out.width) {
        uint8_t& b = out.coverage[static_cast<size_t>(y) * out.width + tx + 1];
        b = static_cast<uint8_t>(std::min(255.0, b + value * frac));
      }
    }
  }
  return out;
}

void Underline(CoverageMask& mask, int baseline, int pixelHeight) {
  const int thickness = std::max(1, pixelHeight / 16);
  const int top = std::min(mask.height - thickness, baseline + std::max(1, pixelHeight / 12));
  for (int y = std::max(0, top); y < top + thickness && y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      mask.coverage[static_cast<size_t>(y) * mask.width + x] = 255;
}

}  // namespace

CoverageMask RasterText(const LoadedFont* font, const std::string& text, const TextStyle& style) {
  const int pixelHeight = std::max(4, style.pixelHeight);
  Glyphs glyphs;
  if (font) glyphs = TrueTypeGlyphs(*font, text, pixelHeight);
  if (glyphs.mask.Empty()) glyphs = BitmapGlyphs(text, pixelHeight);
  if (glyphs.mask.Empty()) return CoverageMask();
  CoverageMask mask = glyphs.mask;
  if (style.bold) mask = Embolden(mask, std::max(1, pixelHeight / 18));
  if (style.italic) mask = Slant(mask, glyphs.baseline);
  if (style.underline) Underline(mask, glyphs.baseline, pixelHeight);
  return mask;
}

CoverageMask RotateMask(const CoverageMask& mask, double degrees) {
  if (mask.Empty() || !std::isfinite(degrees)) return mask;
  const double radians = std::fmod(degrees, 360.0) * 3.14159265358979 / 180.0;
  const double c = std::cos(radians), s = std::sin(radians);
  if (std::fabs(s) < 1e-9 && c > 0) return mask;
  CoverageMask out;
  out.width = static_cast<int>(std::ceil(std::fabs(mask.width * c) + std::fabs(mask.height * s)));
  out.height = static_cast<int>(std::ceil(std::fabs(mask.width * s) + std::fabs(mask.height * c)));
  out.width = std::max(1, out.width);
  out.height = std::max(1, out.height);
  out.coverage.assign(static_cast<size_t>(out.width) * out.height, 0);
  const double cx = mask.width / 2.0, cy = mask.height / 2.0;
  const double ox = out.width / 2.0, oy = out.height / 2.0;
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      // Back from the turned canvas into the upright mask (y grows downwards).
      const double dx = x + 0.5 - ox, dy = y + 0.5 - oy;
      const double sx = dx * c - dy * s + cx - 0.5;
      const double sy = dx * s + dy * c + cy - 0.5;
      const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
      if (x0 < -1 || y0 < -1 || x0 >= mask.width || y0 >= mask.height) continue;
      const double fx = sx - x0, fy = sy - y0;
      auto sample = [&](int px, int py) -> double {
        return (px < 0 || py < 0 || px >= mask.width || py >= mask.height) ? 0.0 : mask.At(px, py);
      };
      const double value = (sample(x0, y0) * (1 - fx) + sample(x0 + 1, y0) * fx) * (1 - fy) +
                           (sample(x0, y0 + 1) * (1 - fx) + sample(x0 + 1, y0 + 1) * fx) * fy;
      out.coverage[static_cast<size_t>(y) * out.width + x] = static_cast<uint8_t>(value + 0.5);
    }
  }
  return out;
}

}  // namespace kelpra
