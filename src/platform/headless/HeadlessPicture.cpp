#include "platform/headless/HeadlessPicture.h"

#include <algorithm>
#include <utility>

#include "platform/streaming/AreaReducer.h"

namespace headless {

HeadlessPicture::HeadlessPicture(platform::ImageSize size, platform::RgbImage pixels,
                                 std::shared_ptr<int> liveCount)
    : size_(size), pixels_(std::move(pixels)), liveCount_(std::move(liveCount)) {
  if (liveCount_) ++*liveCount_;
}

HeadlessPicture::~HeadlessPicture() {
  if (liveCount_) --*liveCount_;
}

platform::ImageSize HeadlessPicture::Size() const { return size_; }

platform::RgbImage PaintPane(const platform::Picture* picture, int width, int height) {
  platform::RgbImage pane;
  if (width <= 0 || height <= 0) return pane;
  pane.width = width;
  pane.height = height;
  const auto* held = static_cast<const HeadlessPicture*>(picture);
  pane.pixels.assign(static_cast<size_t>(width) * height * 3, held == nullptr ? 255 : 0);
  if (held == nullptr) return pane;

  const platform::ImageSize size = held->Size();
  const platform::Rect place = platform::FitPicture(static_cast<int>(size.width),
                                                    static_cast<int>(size.height), width, height);
  if (place.Width() <= 0 || place.Height() <= 0) return pane;
  const platform::RgbImage drawn =
      streaming::ScaleByAreaAverage(held->Pixels(), place.Width(), place.Height());
  for (int y = 0; y < drawn.height; ++y) {
    const uint8_t* from = drawn.pixels.data() + static_cast<size_t>(y) * drawn.width * 3;
    uint8_t* to =
        pane.pixels.data() + (static_cast<size_t>(place.top + y) * width + place.left) * 3;
    std::copy(from, from + static_cast<size_t>(drawn.width) * 3, to);
  }
  return pane;
}

}  // namespace headless
