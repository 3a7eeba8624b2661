// Cutting text to a fixed number of UTF-16 units without splitting a
// character: a surrogate pair stays whole or goes whole.
#pragma once

#include <cstddef>
#include <string>

namespace localisation {

// The longest prefix of `text` of at most `maxUnits` units that ends on a
// character boundary.
std::u16string CutUtf16(const std::u16string& text, size_t maxUnits);

}  // namespace localisation
