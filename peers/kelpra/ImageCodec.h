// Image files by extension: ".bmp", ".jpg"/".jpeg", ".png", ".tif"/".tiff".
#pragma once

#include <string>

#include "Image.h"

namespace kelpra {

// Writes the picture with its DPI stored in the file; returns a failure
// code from KelpraErrors.h, or kOk.
int32_t WriteImageFile(const std::string& path, const Image& image, int dpiX, int dpiY);

// The encoded bytes alone (empty for an unknown extension).
std::string EncodeImage(const std::string& extension, const Image& image, int dpiX, int dpiY);

// Reads BMP, PNG, JPEG or baseline TIFF, whatever the extension says.
// The DPI is 0 when the file stores none.
int32_t ReadImageFile(const std::string& path, Image& image, int& dpiX, int& dpiY);
bool DecodeImage(const std::string& bytes, Image& image, int& dpiX, int& dpiY);

}  // namespace kelpra
