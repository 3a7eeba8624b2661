#include "localisation/TextCut.h"

namespace localisation {

std::u16string CutUtf16(const std::u16string& text, size_t maxUnits) {
  if (text.size() <= maxUnits) return text;
  size_t end = maxUnits;
  // A high surrogate at the cut would lose its low half.
  if (end > 0 && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
  return text.substr(0, end);
}

std::string CutUtf8(const std::string& text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  // A continuation byte right after the cut means the cut falls inside a
  // sequence: move it back to that sequence's lead byte.
  size_t end = maxBytes;
  for (int steps = 0; steps < 3 && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80; ++steps) --end;
  return text.substr(0, end);
}

}  // namespace localisation
