// Pictures decoded for picture panes, and the panes painted into memory, so
// that tests can read what a pane shows.
#pragma once

#include <memory>

#include "platform/Imaging.h"

namespace headless {

class HeadlessPicture : public platform::Picture {
 public:
  // `liveCount` counts the pictures that exist; this one is counted until
  // it is destroyed.
  HeadlessPicture(platform::RgbImage pixels, std::shared_ptr<int> liveCount);
  ~HeadlessPicture() override;
  HeadlessPicture(const HeadlessPicture&) = delete;
  HeadlessPicture& operator=(const HeadlessPicture&) = delete;

  platform::ImageSize Size() const override;
  const platform::RgbImage& Pixels() const { return pixels_; }

 private:
  platform::RgbImage pixels_;
  std::shared_ptr<int> liveCount_;
};

// A pane of `width` x `height` as the screen would show it: white without
// a picture; otherwise black with the picture scaled into its fitted place.
// A pane without area paints nothing (an empty image).
platform::RgbImage PaintPane(const platform::Picture* picture, int width, int height);

}  // namespace headless
