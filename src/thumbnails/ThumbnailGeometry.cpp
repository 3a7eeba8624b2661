#include "thumbnails/ThumbnailGeometry.h"

#include <algorithm>

namespace thumbnails {
namespace {

// The margin the list keeps beside its pictures.
constexpr int kListMargin = 60;

int AtLeastOne(uint64_t value) {
  return value < 1 ? 1 : static_cast<int>(std::min<uint64_t>(value, INT32_MAX));
}

}  // namespace

CellSize CellForClientWidth(int clientWidth, int dpi) {
  CellSize cell;
  cell.width = std::max(1, clientWidth - platform::ScaleForDpi(kListMargin, dpi));
  cell.height = std::max(1, cell.width / 4 * 3);
  return cell;
}

platform::ThumbnailLayout LayoutFor(CellSize cell, platform::ImageSize source) {
  platform::ThumbnailLayout layout;
  layout.cellWidth = std::max(1, cell.width);
  layout.cellHeight = std::max(1, cell.height);
  const uint64_t cellWidth = static_cast<uint64_t>(layout.cellWidth);
  const uint64_t cellHeight = static_cast<uint64_t>(layout.cellHeight);
  const uint64_t width = std::max<uint64_t>(1, source.width);
  const uint64_t height = std::max<uint64_t>(1, source.height);

  if (height > width) {
    layout.scaledWidth = AtLeastOne(cellHeight * width / height);
    layout.scaledHeight = layout.cellHeight;
  } else {
    layout.scaledWidth = layout.cellWidth;
    layout.scaledHeight = AtLeastOne(cellWidth * height / width);
  }

  const double scale =
      std::min(static_cast<double>(layout.cellHeight) / layout.scaledHeight,
               static_cast<double>(layout.cellWidth) / layout.scaledWidth);
  const int drawnWidth =
      std::clamp(static_cast<int>(scale * layout.scaledWidth), 1, layout.cellWidth);
  const int drawnHeight =
      std::clamp(static_cast<int>(scale * layout.scaledHeight), 1, layout.cellHeight);
  layout.placement.left = (layout.cellWidth - drawnWidth) / 2;
  layout.placement.top = (layout.cellHeight - drawnHeight) / 2;
  layout.placement.right = layout.placement.left + drawnWidth;
  layout.placement.bottom = layout.placement.top + drawnHeight;
  return layout;
}

}  // namespace thumbnails
