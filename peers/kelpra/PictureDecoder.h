// PNG and JPEG pictures decoded by the platform's own libraries (libpng and
// libjpeg natively, GDI+ on Windows): those decoders are hardened against
// damaged files, which stb's are not.
#pragma once

#include <string>

#include "Image.h"

namespace kelpra {

bool IsPng(const std::string& bytes);
bool IsJpeg(const std::string& bytes);

// Decodes a PNG or JPEG picture into grey (one channel) or RGB pixels;
// transparent parts are laid over white. False for a damaged picture, or
// one larger than the library's limits (checked before any pixel is
// allocated).
bool DecodePngOrJpeg(const std::string& bytes, Image& image);

}  // namespace kelpra
