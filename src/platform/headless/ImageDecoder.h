// Picture files decoded natively (BMP, PNG, JPEG), for thumbnails. Every
// decode reads the header first and refuses a picture with a zero side or
// more than platform::kMaxImagePixels before allocating its pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Imaging.h"

namespace headless {

std::optional<platform::ImageSize> ReadImageHeader(const uint8_t* data, size_t size);
// The picture as RGB; transparent parts are laid over white.
std::optional<platform::RgbImage> DecodeImage(const uint8_t* data, size_t size);

// The same for a file at a native path.
std::optional<platform::ImageSize> ReadImageFileHeader(const std::string& path);
std::optional<platform::RgbImage> DecodeImageFile(const std::string& path);

}  // namespace headless
