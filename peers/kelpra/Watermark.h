// The text watermark stamped into captured pictures.
#pragma once

#include <string>

#include "Image.h"

namespace kelpra {

struct WatermarkOptions {
  bool enabled = false;
  std::string text;
  int position = 4;   // 3 x 3 grid: 0 top left ... 4 centre ... 8 bottom right
  int fontSize = 36;  // points
  std::string font;
  bool italic = false;
  bool underline = false;
  bool bold = false;
  float angle = 0;         // degrees, counter-clockwise
  float transparency = 0;  // percent: 0 opaque, 100 invisible
  int red = 255;
  int green = 0;
  int blue = 0;
};

// Draws the watermark when it is enabled and has text. The font size is in
// points and becomes pixels at the picture's dpi. A one-channel picture gets
// the colour's brightness; a bilevel one stays black and white.
void DrawWatermark(Image& image, const WatermarkOptions& options, int dpi, bool bilevel);

}  // namespace kelpra
