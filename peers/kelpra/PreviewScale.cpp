// The zoom arithmetic shared by both preview implementations.
#include <algorithm>
#include <cmath>

#include "Preview.h"

namespace kelpra {

double PreviewScale(const PreviewView& view, int frameWidth, int frameHeight, int windowWidth,
                    int windowHeight) {
  double base = 1.0;
  if (view.fit && frameWidth > 0 && frameHeight > 0)
    base = std::min(static_cast<double>(windowWidth) / frameWidth,
                    static_cast<double>(windowHeight) / frameHeight);
  return base * std::pow(1.25, view.zoomSteps);
}

}  // namespace kelpra
