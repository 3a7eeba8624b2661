// Rendering of the desk scene.
#include "Scene.h"

#include <algorithm>
#include <cmath>

namespace kelpra {
namespace {

// A repeatable pseudo-random fraction for an integer.
double Hash01(int n) {
  uint32_t x = static_cast<uint32_t>(n) * 2654435761u;
  x ^= x >> 15;
  x *= 2246822519u;
  x ^= x >> 13;
  return (x & 0xffff) / 65536.0;
}

void Desk(double u, double v, uint8_t rgb[3]) {
  const double grain = std::sin(v * 90.0 + std::sin(u * 7.0) * 3.0) * 0.5 + 0.5;
  const double plank = (static_cast<int>(v * 5.0) % 2) ? 0.94 : 1.0;
  const double light = (0.85 + 0.15 * grain) * plank * (1.0 - 0.15 * u);
  rgb[0] = static_cast<uint8_t>(150 * light);
  rgb[1] = static_cast<uint8_t>(101 * light);
  rgb[2] = static_cast<uint8_t>(62 * light);
}

// Text-like marks on a document, s and t being fractions of the document.
bool InkAt(double s, double t, int documentIndex) {
  if (s < 0.1 || s > 0.9 || t < 0.07 || t > 0.93) return false;
  // A heading.
  if (t < 0.115) return s < 0.55 && std::fmod(s * 9.0, 1.0) < 0.85;
  const double lineT = (t - 0.17) / 0.042;
  if (lineT < 0) return false;
  const int line = static_cast<int>(lineT);
  if (lineT - line > 0.42) return false;  // gap between lines
  if (line % 7 == 6) return false;        // paragraph break
  const double length = 0.45 + 0.35 * Hash01(line * 31 + documentIndex * 977);
  if (s > 0.1 + length) return false;
  // "Words" of varying width, each line starting with one.
  const double word = (s - 0.1) * 14.0;
  const int wordIndex = static_cast<int>(word);
  const double gapStart = 0.74 + 0.16 * Hash01(line * 17 + wordIndex + documentIndex * 131);
  return word - wordIndex < gapStart;
}

}  // namespace

SceneLayout MakeSceneLayout(int documentCount) {
  SceneLayout layout;
  if (documentCount >= 2) {
    layout.documents.push_back({0.07, 0.09, 0.47, 0.90});
    layout.documents.push_back({0.55, 0.22, 0.91, 0.74});
  } else {
    layout.documents.push_back({0.22, 0.08, 0.76, 0.92});
  }
  return layout;
}

void SceneColour(const SceneLayout& layout, double u, double v, uint8_t rgb[3]) {
  for (size_t i = 0; i < layout.documents.size(); ++i) {
    const SceneRect& d = layout.documents[i];
    if (u >= d.left && u < d.right && v >= d.top && v < d.bottom) {
      const double s = (u - d.left) / (d.right - d.left);
      const double t = (v - d.top) / (d.bottom - d.top);
      if (InkAt(s, t, static_cast<int>(i))) {
        rgb[0] = rgb[1] = rgb[2] = 38;
      } else {
        rgb[0] = 246;
        rgb[1] = 246;
        rgb[2] = 240;
      }
      return;
    }
  }
  Desk(u, v, rgb);
  // A soft shadow to the lower right of each document.
  for (const SceneRect& d : layout.documents) {
    if (u >= d.left + 0.006 && u < d.right + 0.006 && v >= d.top + 0.008 && v < d.bottom + 0.008) {
      for (int c = 0; c < 3; ++c) rgb[c] = static_cast<uint8_t>(rgb[c] * 0.6);
      return;
    }
  }
}

Image RenderScene(const SceneLayout& layout, int width, int height) {
  Image image(width, height, 3);
  for (int y = 0; y < height; ++y) {
    const double v = (y + 0.5) / height;
    uint8_t* row = image.At(0, y);
    for (int x = 0; x < width; ++x) SceneColour(layout, (x + 0.5) / width, v, row + 3 * x);
  }
  return image;
}

std::vector<PixelRect> DocumentRects(const SceneLayout& layout, int width, int height) {
  std::vector<PixelRect> rects;
  for (const SceneRect& d : layout.documents) {
    PixelRect r;
    r.left = std::clamp(static_cast<int>(std::ceil(d.left * width - 0.5)), 0, width);
    r.top = std::clamp(static_cast<int>(std::ceil(d.top * height - 0.5)), 0, height);
    r.right = std::clamp(static_cast<int>(std::ceil(d.right * width - 0.5)), 0, width);
    r.bottom = std::clamp(static_cast<int>(std::ceil(d.bottom * height - 0.5)), 0, height);
    rects.push_back(r);
  }
  return rects;
}

bool PenColour(long phase, double u, double v, uint8_t rgb[3]) {
  const double angle = (phase % 400) / 400.0 * 6.283185307;
  const double cu = 0.5 + 0.3 * std::cos(angle);
  const double cv = 0.5 + 0.25 * std::sin(angle * 2.0);
  // A slanted bar: distance along and across the pen's axis.
  const double du = u - cu, dv = v - cv;
  const double along = du * 0.8 + dv * 0.6;
  const double across = -du * 0.6 + dv * 0.8;
  if (along < 0 || along > 0.18 || std::fabs(across) > 0.008) return false;
  rgb[0] = 25;
  rgb[1] = 60;
  rgb[2] = along > 0.16 ? 30 : 160;
  return true;
}

}  // namespace kelpra
