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

platform::Rect MergePreviewPlacement(const platform::Rect& area, MergeDirection direction,
                                     int dpi) {
  const int width = area.Width();
  const int height = area.Height();
  const int inset = platform::ScaleForDpi(kAreaInset, dpi);
  if (direction == MergeDirection::Vertical) {
    return RectAt(area.left + inset, area.top + height / 2, width / 3, height / 2);
  }
  return RectAt(area.left + inset, area.top + (height / 3) * 2, width / 2, height / 3);
}

MergePanes LayOutMergePanes(int clientWidth, int clientHeight, MergeDirection direction,
                            int dpi) {
  const int margin = platform::ScaleForDpi(kMargin, dpi);
  const int gap = platform::ScaleForDpi(kGap, dpi);
  const int fullWidth = clientWidth - 2 * margin;
  const int fullHeight = clientHeight - 2 * margin;
  MergePanes panes;
  if (direction == MergeDirection::Horizontal) {
    const int width = (clientWidth - 2 * margin - gap) / 2;
    panes.first = RectAt(margin, margin, width, fullHeight);
    panes.second = RectAt(panes.first.right + gap, margin, width, fullHeight);
  } else {
    const int height = (clientHeight - 2 * margin - gap) / 2;
    panes.first = RectAt(margin, margin, fullWidth, height);
    panes.second = RectAt(margin, panes.first.bottom + gap, fullWidth, height);
  }
  return panes;
}

}  // namespace dialogs
