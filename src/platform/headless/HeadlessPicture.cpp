#include "platform/headless/HeadlessPicture.h"

#include <algorithm>
#include <utility>

#include "platform/headless/ThumbnailScaler.h"

namespace headless {

HeadlessPicture::HeadlessPicture(platform::RgbImage pixels, std::shared_ptr<int> liveCount)
    : pixels_(std::move(pixels)), liveCount_(std::move(liveCount)) {
  if (liveCount_) ++*liveCount_;
}

HeadlessPicture::~HeadlessPicture() {
  if (liveCount_) --*liveCount_;
}

platform::ImageSize HeadlessPicture::Size() const {
  return platform::ImageSize{static_cast<uint32_t>(pixels_.width),
                             static_cast<uint32_t>(pixels_.height)};
}

platform::RgbImage PaintPane(const platform::Picture* picture, int width, int height) {
  platform::RgbImage pane;
  if (width <= 0 || height <= 0) return pane;
  pane.width = width;
  pane.height = height;
  const auto* held = static_cast<const HeadlessPicture*>(picture);
  pane.pixels.assign(static_cast<size_t>(width) * height * 3, held == nullptr ? 255 : 0);
  if (held == nullptr) return pane;

  const platform::RgbImage& source = held->Pixels();
  const platform::Rect place = platform::FitPicture(source.width, source.height, width, height);
  if (place.Width() <= 0 || place.Height() <= 0) return pane;
  const platform::RgbImage drawn = ScaleByAreaAverage(source, place.Width(), place.Height());
  for (int y = 0; y < drawn.height; ++y) {
    const uint8_t* from = drawn.pixels.data() + static_cast<size_t>(y) * drawn.width * 3;
    uint8_t* to =
        pane.pixels.data() + (static_cast<size_t>(place.top + y) * width + place.left) * 3;
    std::copy(from, from + static_cast<size_t>(drawn.width) * 3, to);
  }
  return pane;
}

}  // namespace headless
