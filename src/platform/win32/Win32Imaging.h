// Thumbnails and pane pictures of picture files through GDI+ and GDI.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Imaging.h"
#include "platform/win32/WindowsHeaders.h"

namespace win32 {

// A pane picture: a GDI bitmap, deleted with this object.
class Win32Picture : public platform::Picture {
 public:
  Win32Picture(HBITMAP bitmap, platform::ImageSize size) : bitmap_(bitmap), size_(size) {}
  ~Win32Picture() override;
  Win32Picture(const Win32Picture&) = delete;
  Win32Picture& operator=(const Win32Picture&) = delete;

  platform::ImageSize Size() const override { return size_; }
  HBITMAP Bitmap() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
  platform::ImageSize size_;
};

class Win32Imaging : public platform::Imaging {
 public:
  // GDI+ is started on first use and kept for the life of the process, so
  // that other users of it in the process are not affected.
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
