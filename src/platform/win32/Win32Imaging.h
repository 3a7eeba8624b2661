// Thumbnails and pane pictures of picture files: BMP, JPEG and PNG through
// the streaming decoders, which never hold a picture at its full size; any
// other format (TIFF) through GDI+.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Imaging.h"
#include "platform/win32/WindowsHeaders.h"

namespace win32 {

// A pane picture: a GDI bitmap of at most a pane's size of the picture,
// deleted with this object.
class Win32Picture : public platform::Picture {
 public:
  // The picture's own `size`, held as `bitmap` of `bitmapSize`.
  Win32Picture(HBITMAP bitmap, platform::ImageSize size, platform::ImageSize bitmapSize)
      : bitmap_(bitmap), size_(size), bitmapSize_(bitmapSize) {}
  ~Win32Picture() override;
  Win32Picture(const Win32Picture&) = delete;
  Win32Picture& operator=(const Win32Picture&) = delete;

  platform::ImageSize Size() const override { return size_; }
  HBITMAP Bitmap() const { return bitmap_; }
  platform::ImageSize BitmapSize() const { return bitmapSize_; }

 private:
  HBITMAP bitmap_;
  platform::ImageSize size_;
  platform::ImageSize bitmapSize_;
};

// A 24-bit device-independent bitmap of `image`; null when it could not be
// made.
HBITMAP DibSectionOf(const platform::RgbImage& image);

class Win32Imaging : public platform::Imaging {
 public:
  // GDI+ is started on the first picture it is needed for and kept for the
  // life of the process, so that other users of it in the process are not
  // affected.
  std::optional<platform::ImageSize> ReadImageSize(const std::u16string& path) override;
  std::optional<platform::RgbImage> MakeThumbnail(const std::u16string& path,
                                                  const platform::ThumbnailLayout& layout) override;
  std::unique_ptr<platform::Picture> LoadPicture(const std::u16string& path) override;

 private:
  bool Start();

  bool started_ = false;
  uintptr_t token_ = 0;
};

}  // namespace win32
