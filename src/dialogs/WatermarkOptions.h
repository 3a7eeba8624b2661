// The watermark the camera library stamps into the main camera's pictures:
// the record the capture window keeps and the watermark dialog edits a copy
// of, and the conversions both need to hand it on.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Os.h"

struct WatermarkOptions {
  int position = 4;  // anchor on the 3 x 3 grid, row by row from the top left
  std::u16string text;
  std::u16string font = u"Arial";
  int fontSize = 36;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  float angle = 30;         // degrees
  float transparency = 70;  // percent
  int red = 255, green = 0, blue = 0;
  bool enabled = false;  // follows the watermark check box
  bool timeStamp = true;  // the capture's date and time follow the text
};

namespace dialogs {

// The text the library draws: the option text, followed by the local date
// and time as " %Y-%m-%d %H:%M:%S" when the time stamp is on.
std::u16string WatermarkTextAt(const WatermarkOptions& options, const platform::LocalTime& now);

// A colour component as the library and the colour button take it: values
// outside 0..255 (a hand-edited settings file) become the nearest end, so
// that one component never spills into the next.
int ClampColorComponent(int component);
// red | green << 8 | blue << 16, each component clamped first.
uint32_t PackColor(int red, int green, int blue);
// The components of a packed colour: bits 0..7, 8..15 and 16..23.
void UnpackColor(uint32_t color, int& red, int& green, int& blue);

// A float option as an integer, truncated toward zero; values beyond the
// range of int become its nearest end and NaN becomes 0.
int TruncateToInt(float value);

}  // namespace dialogs
