// Cutting text to a fixed number of code units without splitting a
// character: a UTF-16 surrogate pair or a UTF-8 sequence stays whole or goes
// whole.
#pragma once

#include <cstddef>
#include <string>

namespace localisation {

// The longest prefix of `text` of at most `maxUnits` units that ends on a
// character boundary.
std::u16string CutUtf16(const std::u16string& text, size_t maxUnits);
std::string CutUtf8(const std::string& text, size_t maxBytes);

}  // namespace localisation
