// The synthetic picture the simulated cameras see: a wooden desk with one or
// two white documents carrying lines of text-like marks.
#pragma once

#include <vector>

#include "Image.h"

namespace kelpra {

// Positions are fractions of the frame (0..1), so every frame size shows the
// same desk.
struct SceneRect {
  double left, top, right, bottom;
};

struct SceneLayout {
  std::vector<SceneRect> documents;
};

SceneLayout MakeSceneLayout(int documentCount);

// The colour at fraction (u, v) of the frame.
void SceneColour(const SceneLayout& layout, double u, double v, uint8_t rgb[3]);

// The whole still frame.
Image RenderScene(const SceneLayout& layout, int width, int height);

// The documents' rectangles in pixels of a width x height frame.
std::vector<PixelRect> DocumentRects(const SceneLayout& layout, int width, int height);

// A pen moving over the desk, drawn only in the live preview: phase counts
// preview frames. Returns true and the pen colour when (u, v) is on the pen.
bool PenColour(long phase, double u, double v, uint8_t rgb[3]);

}  // namespace kelpra
