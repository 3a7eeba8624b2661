// A picture file decoded whole by GDI+, the system's own decoder, for the
// Windows tests to compare the streaming decoders with. GDI+ must have been
// started.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32/WindowsHeaders.h"
#include "support/BoxReference.h"

// Left out by WIN32_LEAN_AND_MEAN, needed by the GDI+ headers.
#include <objidl.h>

#include <gdiplus.h>

namespace win32_test_support {

// The whole file as RGB rows, top first, laid over white where it has
// alpha; empty when GDI+ cannot decode it.
inline testing_support::Rgb GdiplusDecode(const std::u16string& path) {
  namespace gp = Gdiplus::DllExports;
  testing_support::Rgb rgb;
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (gp::GdipCreateBitmapFromFile(reinterpret_cast<const WCHAR*>(path.c_str()), &bitmap) !=
      Gdiplus::Ok) {
    return rgb;
  }
  UINT width = 0, height = 0;
  gp::GdipGetImageWidth(bitmap, &width);
  gp::GdipGetImageHeight(bitmap, &height);
  Gdiplus::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  Gdiplus::BitmapData data{};
  if (gp::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB,
                             &data) == Gdiplus::Ok) {
    rgb.width = static_cast<int>(width);
    rgb.height = static_cast<int>(height);
    rgb.pixels.resize(static_cast<size_t>(width) * height * 3);
    for (UINT y = 0; y < height; ++y) {
      const uint8_t* in =
          static_cast<const uint8_t*>(data.Scan0) + static_cast<size_t>(y) * data.Stride;
      uint8_t* out = rgb.pixels.data() + static_cast<size_t>(y) * width * 3;
      for (UINT x = 0; x < width; ++x, in += 4, out += 3) {
        const unsigned a = in[3];
        for (int c = 0; c < 3; ++c) {
          out[c] = static_cast<uint8_t>((in[2 - c] * a + 255u * (255u - a) + 127u) / 255u);
        }
      }
    }
    gp::GdipBitmapUnlockBits(bitmap, &data);
  }
  gp::GdipDisposeImage(bitmap);
  return rgb;
}

}  // namespace win32_test_support
