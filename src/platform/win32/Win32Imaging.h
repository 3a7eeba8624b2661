// Thumbnails of picture files through GDI+ and GDI.
#pragma once

#include <cstdint>

#include "platform/Imaging.h"

namespace win32 {

class Win32Imaging : public platform::Imaging {
 public:
  // GDI+ is started on first use and kept for the life of the process, so
  // that other users of it in the process are not affected.
  std::optional<platform::ImageSize> ReadImageSize(const std::u16string& path) override;
  std::optional<platform::RgbImage> MakeThumbnail(const std::u16string& path,
                                                  const platform::ThumbnailLayout& layout) override;

 private:
  bool Start();

  bool started_ = false;
  uintptr_t token_ = 0;
};

}  // namespace win32
