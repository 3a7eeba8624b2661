// Thumbnails of picture files, decoded natively.
#pragma once

#include "platform/Imaging.h"

namespace headless {

class HeadlessImaging : public platform::Imaging {
 public:
  std::optional<platform::ImageSize> ReadImageSize(const std::u16string& path) override;
  std::optional<platform::RgbImage> MakeThumbnail(const std::u16string& path,
                                                  const platform::ThumbnailLayout& layout) override;

  // What tests read: how many pictures were decoded whole.
  int picturesDecoded = 0;
};

}  // namespace headless
