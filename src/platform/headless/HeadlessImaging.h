// Thumbnails and pane pictures of picture files, read natively by the
// streaming decoders (BMP, PNG, JPEG; nothing else).
#pragma once

#include <memory>

#include "platform/Imaging.h"

namespace headless {

class HeadlessImaging : public platform::Imaging {
 public:
  std::optional<platform::ImageSize> ReadImageSize(const std::u16string& path) override;
  std::optional<platform::RgbImage> MakeThumbnail(const std::u16string& path,
                                                  const platform::ThumbnailLayout& layout) override;
  std::unique_ptr<platform::Picture> LoadPicture(const std::u16string& path) override;

  // What tests read: how many pictures were decoded for thumbnails.
  int picturesDecoded = 0;
  // How many pane pictures exist now: the ones panes hold, and any a test
  // still has.
  int LivePictures() const { return *livePictures_; }

 private:
  std::shared_ptr<int> livePictures_ = std::make_shared<int>(0);
};

}  // namespace headless
