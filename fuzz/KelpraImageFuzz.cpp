// Picture files the reference camera library reads when it combines two
// pictures: its own TIFF reader and the DPI fields of BMP, PNG and JPEG.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ImageCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kelpra::Image image;
  int dpiX = 0, dpiY = 0;
  if (kelpra::DecodeImage(std::string(reinterpret_cast<const char*>(data), size), image, dpiX,
                          dpiY)) {
    if (image.pixels.size() !=
        static_cast<size_t>(image.width) * image.height * static_cast<size_t>(image.channels))
      __builtin_trap();
  }
  return 0;
}
