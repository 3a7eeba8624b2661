// Where the merge preview floats over the live picture, and how its two
// panes share its client area. Plain arithmetic on rectangles in pixels;
// divisions truncate. The fixed distances are for 96 DPI and grow with the
// window's DPI.
#pragma once

#include "platform/Ui.h"

namespace dialogs {

enum class MergeDirection { Horizontal, Vertical };

// The preview window over the live preview area `area` (screen
// coordinates): side by side pictures get the lower third, half as wide as
// the area; pictures one above the other get the lower half, a third as
// wide. Both start 2 pixels right of the area's left edge.
platform::Rect MergePreviewPlacement(const platform::Rect& area, MergeDirection direction,
                                     int dpi = platform::kDefaultDpi);

struct MergePanes {
  platform::Rect first;
  platform::Rect second;
};

// The two panes in a client area of `clientWidth` x `clientHeight`: a
// margin of 6 pixels all round and 10 pixels between them, side by side
// (horizontal) or one above the other (vertical). A client area too small
// for them gives panes without size, never a negative one.
MergePanes LayOutMergePanes(int clientWidth, int clientHeight, MergeDirection direction,
                            int dpi = platform::kDefaultDpi);

}  // namespace dialogs
