// capturewindow/Accessibility.h: the capture window for people who capture
// all day with one key, and for those who use it through assistive
// technology. Owns no state: it sets the capture key (Space presses Capture
// wherever the focus is in the window, except while typing), the tips and
// accessible names of the buttons whose captions are symbols and of the
// live picture, the Capture button's tip naming the key, and the tab order,
// which follows the window's columns rather than the template's order.
#pragma once

#include <vector>

#include "context/CaptureContext.h"

namespace capturewindow {

class Accessibility {
 public:
  explicit Accessibility(CaptureContext& context);

  // Start-up, once the window's child windows exist: the capture key and
  // the tab order.
  void Install();
  // After every text pass: the tips and names in the current language, on
  // the capture window and on `livePicture` (the live picture's host; none
  // without one).
  void ApplyTexts(platform::Window* livePicture);

  // The capture window's controls in the order Tab visits them: the left
  // column top to bottom, the rows under the live picture left to right,
  // then the right column (thumbnails, Exit, Capture).
  static const std::vector<int>& TabOrder();

 private:
  CaptureContext& context_;
};

}  // namespace capturewindow
