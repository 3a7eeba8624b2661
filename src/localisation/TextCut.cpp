#include "localisation/TextCut.h"

namespace localisation {

std::u16string CutUtf16(const std::u16string& text, size_t maxUnits) {
  if (text.size() <= maxUnits) return text;
  size_t end = maxUnits;
  // A high surrogate at the cut would lose its low half.
  if (end > 0 && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
  return text.substr(0, end);
}

}  // namespace localisation
