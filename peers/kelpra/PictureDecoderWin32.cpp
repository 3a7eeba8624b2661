#include <windows.h>

#include <objidl.h>
#include <shlwapi.h>

#include <gdiplus.h>

#include <mutex>

#include "KelpraConfig.h"
#include "PictureDecoder.h"

namespace kelpra {
namespace {

namespace gp = Gdiplus::DllExports;

// GDI+ is started on first use (never from DllMain) and kept for the
// process's life.
bool StartGdiplus() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  });
  return started;
}

class Stream {
 public:
  explicit Stream(const std::string& bytes)
      : stream_(SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                  static_cast<UINT>(bytes.size()))) {}
  ~Stream() {
    if (stream_ != nullptr) stream_->Release();
  }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;
  IStream* Get() const { return stream_; }

 private:
  IStream* stream_;
};

class Bitmap {
 public:
  ~Bitmap() {
    if (bitmap_ != nullptr) gp::GdipDisposeImage(bitmap_);
  }
  Gdiplus::GpBitmap** Out() { return &bitmap_; }
  Gdiplus::GpBitmap* Get() const { return bitmap_; }

 private:
  Gdiplus::GpBitmap* bitmap_ = nullptr;
};

bool IsGrey(const Image& rgb) {
  for (size_t i = 0; i + 2 < rgb.pixels.size(); i += 3) {
    if (rgb.pixels[i] != rgb.pixels[i + 1] || rgb.pixels[i] != rgb.pixels[i + 2]) return false;
  }
  return true;
}

Image ToGrey(const Image& rgb) {
  Image grey(rgb.width, rgb.height, 1);
  for (size_t i = 0; i < grey.pixels.size(); ++i) grey.pixels[i] = rgb.pixels[i * 3];
  return grey;
}

}  // namespace

bool DecodePngOrJpeg(const std::string& bytes, Image& image) {
  if ((!IsPng(bytes) && !IsJpeg(bytes)) || bytes.size() > 0x7fffffff || !StartGdiplus()) {
    return false;
  }
  Stream stream(bytes);
  Bitmap bitmap;
  if (stream.Get() == nullptr ||
      gp::GdipCreateBitmapFromStream(stream.Get(), bitmap.Out()) != Gdiplus::Ok ||
      bitmap.Get() == nullptr) {
    return false;
  }
  UINT width = 0, height = 0;
  gp::GdipGetImageWidth(bitmap.Get(), &width);
  gp::GdipGetImageHeight(bitmap.Get(), &height);
  if (width == 0 || height == 0 || width > static_cast<UINT>(limits::kMaxSide) ||
      height > static_cast<UINT>(limits::kMaxSide) ||
      static_cast<int64_t>(width) * height > limits::kMaxPixels) {
    return false;
  }

  // Transparent parts are laid over white, as the other readers do.
  Image rgb(static_cast<int>(width), static_cast<int>(height), 3);
  Gdiplus::Rect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  Gdiplus::BitmapData data{};
  if (gp::GdipBitmapLockBits(bitmap.Get(), &whole, Gdiplus::ImageLockModeRead,
                             PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
    return false;
  }
  for (UINT y = 0; y < height; ++y) {
    const auto* row = static_cast<const uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
    uint8_t* out = rgb.At(0, static_cast<int>(y));
    for (UINT x = 0; x < width; ++x) {
      const uint8_t* bgra = row + x * 4;
      const unsigned alpha = bgra[3];
      for (int c = 0; c < 3; ++c) {
        out[x * 3 + c] = static_cast<uint8_t>((bgra[2 - c] * alpha + 255 * (255 - alpha)) / 255);
      }
    }
  }
  gp::GdipBitmapUnlockBits(bitmap.Get(), &data);
  image = IsGrey(rgb) ? ToGrey(rgb) : std::move(rgb);
  return true;
}

}  // namespace kelpra
