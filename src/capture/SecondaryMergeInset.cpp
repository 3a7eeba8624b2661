#include "capture/SecondaryMergeInset.h"

namespace capture {

std::optional<Inset> SecondaryMergeInset(int32_t mainWidth, int32_t mainHeight,
                                         int32_t secondaryWidth, int32_t secondaryHeight,
                                         int mergeType, int mergePosition) {
  if (mainWidth <= 0 || mainHeight <= 0 || secondaryWidth <= 0 || secondaryHeight <= 0) {
    return std::nullopt;
  }
  Inset inset;
  inset.width = mainWidth / 3;
  inset.height = static_cast<int32_t>(static_cast<int64_t>(inset.width) * secondaryHeight /
                                      secondaryWidth);
  if (mergeType != 0) return inset;
  const int32_t third = mainWidth / 3;
  switch (mergePosition) {
    case 0: inset.x = third; inset.y = (mainHeight - inset.height) / 2; break;
    case 1: break;
    case 2: inset.x = 2 * third; break;
    case 3: inset.x = 2 * third; inset.y = mainHeight - inset.height; break;
    case 4: inset.y = mainHeight - inset.height; break;
    default: break;
  }
  return inset;
}

}  // namespace capture
