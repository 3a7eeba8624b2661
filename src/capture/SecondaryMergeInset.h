// capture/SecondaryMergeInset.h: where the secondary camera's picture goes
// in the main picture. The inset is a third of the main picture's width
// with the secondary picture's proportions; an inside merge (type 0) puts
// it at one of five anchors, every other type hands the size with (0, 0)
// and leaves the placing to the camera library.
#pragma once

#include <cstdint>
#include <optional>

namespace capture {

struct Inset {
  int32_t x = 0, y = 0, width = 0, height = 0;
};

// Positions of an inside merge: 0 centre, 1 top left, 2 top right,
// 3 bottom right, 4 bottom left; any other leaves (0, 0). Nothing when a
// side of either picture is not positive: no inset can be worked out then.
std::optional<Inset> SecondaryMergeInset(int32_t mainWidth, int32_t mainHeight,
                                         int32_t secondaryWidth, int32_t secondaryHeight,
                                         int mergeType, int mergePosition);

}  // namespace capture
