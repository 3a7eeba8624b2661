// The texts the watermark dialog shows next to its sliders, and how it
// reads the font size the user typed.
#pragma once

#include <string>

namespace dialogs {

// "%.0f%%" and "%.0f°" of an option value: 70 gives "70%", 30 gives "30°".
std::u16string PercentText(float percent);
std::u16string DegreesText(float degrees);
// "%d%%" and "%d°" of a slider position.
std::u16string PercentText(int percent);
std::u16string DegreesText(int degrees);

// The decimal integer a text begins with, after blanks and an optional sign;
// 0 when it begins with no digit. Beyond the range of int it is the nearest
// end of the range.
int LeadingInteger(const std::u16string& text);

}  // namespace dialogs
