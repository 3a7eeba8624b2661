// Joining two picture files into a third.
#pragma once

#include <string>

#include "Image.h"

namespace kelpra {

// Mode 0 puts second inside first at (x, y), scaled to width x height (its
// own size when either is 0 or less). Modes 1..8 attach second outside
// first: 1 left side, upper end; 2 top side, left end; 3 top side, right end;
// 4 right side, upper end; 5 right side, lower end; 6 bottom side, right end;
// 7 bottom side, left end; 8 left side, lower end. For these a positive
// width x height scales second first. Uncovered canvas is white.
int32_t CombineImages(const Image& first, const Image& second, int mode, int x, int y, int width,
                      int height, Image& out);

// The same with files; the output takes the format of its extension and the
// first picture's DPI.
int32_t CombineImageFiles(const std::string& first, const std::string& second,
                          const std::string& output, int mode, int x, int y, int width, int height);

}  // namespace kelpra
