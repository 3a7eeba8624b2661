// Pictures decoded for picture panes, and the panes painted into memory, so
// that tests can read what a pane shows.
#pragma once

#include <memory>

#include "platform/Imaging.h"

namespace headless {

class HeadlessPicture : public platform::Picture {
 public:
  // A picture of `size` held as `pixels` (at most a pane's size of it).
  // `liveCount` counts the pictures that exist; this one is counted until
  // it is destroyed.
  HeadlessPicture(platform::ImageSize size, platform::RgbImage pixels,
                  std::shared_ptr<int> liveCount);
  ~HeadlessPicture() override;
  HeadlessPicture(const HeadlessPicture&) = delete;
  HeadlessPicture& operator=(const HeadlessPicture&) = delete;

  platform::ImageSize Size() const override;
  const platform::RgbImage& Pixels() const { return pixels_; }

 private:
  platform::ImageSize size_;
  platform::RgbImage pixels_;
  std::shared_ptr<int> liveCount_;
};

// A pane of `width` x `height` as the screen would show it: white without
// a picture; otherwise black with the picture scaled into the place its own
// size fits.
// A pane without area paints nothing (an empty image).
platform::RgbImage PaintPane(const platform::Picture* picture, int width, int height);

}  // namespace headless
