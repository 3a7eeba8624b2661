#include "dialogs/WatermarkOptions.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace dialogs {

std::u16string WatermarkTextAt(const WatermarkOptions& options, const platform::LocalTime& now) {
  if (!options.timeStamp) return options.text;
  char stamp[64];
  const int length = std::snprintf(stamp, sizeof stamp, " %04d-%02d-%02d %02d:%02d:%02d", now.year,
                                   now.month, now.day, now.hour, now.minute, now.second);
  std::u16string text = options.text;
  for (int i = 0; i < length && i < static_cast<int>(sizeof stamp) - 1; ++i) {
    text.push_back(static_cast<char16_t>(stamp[i]));
  }
  return text;
}

int ClampColorComponent(int component) { return std::clamp(component, 0, 255); }

uint32_t PackColor(int red, int green, int blue) {
  return static_cast<uint32_t>(ClampColorComponent(red)) |
         static_cast<uint32_t>(ClampColorComponent(green)) << 8 |
         static_cast<uint32_t>(ClampColorComponent(blue)) << 16;
}

void UnpackColor(uint32_t color, int& red, int& green, int& blue) {
  red = static_cast<int>(color & 0xFFu);
  green = static_cast<int>((color >> 8) & 0xFFu);
  blue = static_cast<int>((color >> 16) & 0xFFu);
}

int TruncateToInt(float value) {
  if (std::isnan(value)) return 0;
  // INT_MAX is not a float; 2^31 is, and everything from it up is too large.
  if (value >= 2147483648.0f) return INT_MAX;
  if (value <= -2147483648.0f) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace dialogs
