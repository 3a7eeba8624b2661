// The live picture a device draws into the window it was given. On Windows
// a thread repaints the moving desk scene about fifteen times a second;
// natively nothing is drawn and only the state is kept.
#pragma once

#include <cstdint>
#include <memory>

#include "Scene.h"

namespace kelpra {

// Zoom: the base scale (fitted to the window, or 1:1) times 1.25 per step.
struct PreviewView {
  bool fit = true;
  int zoomSteps = 0;
};

constexpr int kMaxZoomSteps = 8;

struct PreviewPicture {
  SceneLayout layout;
  int frameWidth = 0;
  int frameHeight = 0;
  int rotation = 0;   // quarter turns clockwise
  bool live = false;  // the device is open
  PreviewView view;
};

class Preview {
 public:
  virtual ~Preview() = default;
  virtual void Update(const PreviewPicture& picture) = 0;
  // Attaches to a window (a 32-bit handle, never 0).
  static std::unique_ptr<Preview> Create(int32_t window);
};

// Scale from frame pixels to window pixels.
double PreviewScale(const PreviewView& view, int frameWidth, int frameHeight, int windowWidth,
                    int windowHeight);

}  // namespace kelpra
