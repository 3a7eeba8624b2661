#include "dialogs/WatermarkLabels.h"

#include <climits>
#include <cstdio>

namespace dialogs {
namespace {

constexpr char16_t kDegreeSign = u'\u00B0';

// printf output is ASCII: each byte becomes one UTF-16 unit.
std::u16string Widen(const char* text) {
  std::u16string wide;
  for (; *text != '\0'; ++text) wide.push_back(static_cast<char16_t>(*text));
  return wide;
}

std::u16string RoundedText(float value) {
  char text[64];
  (void)std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
  return Widen(text);
}

std::u16string WholeText(int value) { return Widen(std::to_string(value).c_str()); }

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

std::u16string PercentText(float percent) { return RoundedText(percent) + u'%'; }
std::u16string DegreesText(float degrees) { return RoundedText(degrees) + kDegreeSign; }
std::u16string PercentText(int percent) { return WholeText(percent) + u'%'; }
std::u16string DegreesText(int degrees) { return WholeText(degrees) + kDegreeSign; }

int LeadingInteger(const std::u16string& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace dialogs
