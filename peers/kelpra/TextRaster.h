// Turning a line of text into a coverage mask (0..255 per pixel): with a
// TrueType font when one was found, else with the built-in bitmap font.
#pragma once

#include <string>
#include <vector>

#include "FontLocator.h"

namespace kelpra {

struct CoverageMask {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;

  bool Empty() const { return width <= 0 || height <= 0; }
  uint8_t At(int x, int y) const { return coverage[static_cast<size_t>(y) * width + x]; }
};

struct TextStyle {
  int pixelHeight = 32;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// font may be null. Text bytes are read as Latin-1 code points.
CoverageMask RasterText(const LoadedFont* font, const std::string& text, const TextStyle& style);

// The mask turned counter-clockwise by degrees, on a canvas that holds it.
CoverageMask RotateMask(const CoverageMask& mask, double degrees);

}  // namespace kelpra
