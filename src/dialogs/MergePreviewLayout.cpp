#include "dialogs/MergePreviewLayout.h"

#include <algorithm>

namespace dialogs {
namespace {

constexpr int kAreaInset = 2;
constexpr int kMargin = 6;
constexpr int kGap = 10;

platform::Rect RectAt(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  return platform::Rect{left, top, left + width, top + height};
}

}  // namespace

platform::Rect MergePreviewPlacement(const platform::Rect& area, MergeDirection direction) {
  const int width = area.Width();
  const int height = area.Height();
  if (direction == MergeDirection::Vertical) {
    return RectAt(area.left + kAreaInset, area.top + height / 2, width / 3, height / 2);
  }
  return RectAt(area.left + kAreaInset, area.top + (height / 3) * 2, width / 2, height / 3);
}

MergePanes LayOutMergePanes(int clientWidth, int clientHeight, MergeDirection direction) {
  const int fullWidth = clientWidth - 2 * kMargin;
  const int fullHeight = clientHeight - 2 * kMargin;
  MergePanes panes;
  if (direction == MergeDirection::Horizontal) {
    const int width = (clientWidth - 2 * kMargin - kGap) / 2;
    panes.first = RectAt(kMargin, kMargin, width, fullHeight);
    panes.second = RectAt(panes.first.right + kGap, kMargin, width, fullHeight);
  } else {
    const int height = (clientHeight - 2 * kMargin - kGap) / 2;
    panes.first = RectAt(kMargin, kMargin, fullWidth, height);
    panes.second = RectAt(kMargin, panes.first.bottom + kGap, fullWidth, height);
  }
  return panes;
}

}  // namespace dialogs
