// Scaling for thumbnails without a graphics library: an area average, in
// which each new pixel is the mean of the source pixels it covers (parts
// of pixels counted by the part covered). Down to a few pixels this keeps
// fine detail as an even tone instead of aliasing, as halftone stretching
// does.
#pragma once

#include "platform/Imaging.h"

namespace headless {

// `source` scaled to `width` x `height` (each at least 1).
platform::RgbImage ScaleByAreaAverage(const platform::RgbImage& source, int width, int height);

// The thumbnail cell of `layout`: white, with `picture` first scaled to the
// layout's fast-thumbnail size and then drawn into its placement.
platform::RgbImage LetterboxOnWhite(const platform::RgbImage& picture,
                                    const platform::ThumbnailLayout& layout);

}  // namespace headless
