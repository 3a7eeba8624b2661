// A small baseline TIFF writer and reader: uncompressed 8-bit grey or RGB in
// one strip, with the resolution in inches. Both builds use it; the reader
// accepts any uncompressed 8-bit grey, RGB or RGBA baseline file.
#pragma once

#include <string>

#include "Image.h"

namespace kelpra {

std::string EncodeTiff(const Image& image, int dpiX, int dpiY);

// False for anything it cannot read safely. dpiX/dpiY are 0 when absent.
bool DecodeTiff(const std::string& bytes, Image& image, int& dpiX, int& dpiY);

}  // namespace kelpra
