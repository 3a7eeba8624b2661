// Processing steps of a capture: cropping, edge filling, colour styles and
// rotation.
#pragma once

#include <vector>

#include "Image.h"

namespace kelpra {

// Colour styles and adjustments as the capture window sends them.
enum ColourStyle { kStyleColour = 0, kStyleGrey = 1, kStyleBlackWhite = 2 };
enum Adjustment { kAdjustNone = 0, kAdjustDocument = 1, kAdjustGrey = 3, kAdjustThreshold = 4 };

// The part of the image inside rect (clipped to the image).
Image Crop(const Image& image, PixelRect rect);

// rect grown by margin pixels on each side, clipped to width x height.
PixelRect Grow(PixelRect rect, int margin, int width, int height);

// A rectangle given in percent of the image (left, top, right, bottom);
// empty when the percentages do not describe a rectangle.
PixelRect PercentRect(int left, int top, int right, int bottom, int width, int height);

// Paints white every pixel outside the given rectangles (the desk around the
// documents).
void FillOutside(Image& image, const std::vector<PixelRect>& keep);

// Applies a colour style with its adjustment; grey and black-and-white
// results have one channel.
Image ApplyColourStyle(const Image& image, int style, int adjustment);

// Turns the image by quarterTurns x 90 degrees clockwise.
Image Rotate(const Image& image, int quarterTurns);

// Scales with bilinear sampling to width x height (both at least 1).
Image Resize(const Image& image, int width, int height);

// The same picture with the requested channel count.
Image WithChannels(const Image& image, int channels);

}  // namespace kelpra
