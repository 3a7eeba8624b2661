// One pane of the merge preview: a picture control that shows one picture
// file fitted into it. The decoded picture is handed to the window's pane,
// which keeps it until the next picture or the window's end; this object
// remembers the picture's size.
#pragma once

#include <string>

#include "platform/Platform.h"

class CPicturePreview {
 public:
  CPicturePreview(platform::Platform& platform, int controlId);

  // The window that holds the pane; null once it is gone.
  void Attach(platform::Window* window) { window_ = window; }

  // Shows the picture file at `path`: 0 when it was loaded; -1, and the pane
  // left empty, when there is no such file, or it does not decode as a
  // picture, declares a zero side or is too large to hold. The picture shown
  // before is released either way; an empty path just empties the pane.
  int SetPicture(const std::u16string& path);

  bool HasPicture() const { return hasPicture_; }
  int PictureWidth() const { return width_; }
  int PictureHeight() const { return height_; }
  int ControlId() const { return controlId_; }

 private:
  platform::Platform& platform_;
  int controlId_;
  platform::Window* window_ = nullptr;
  bool hasPicture_ = false;
  int width_ = 0;
  int height_ = 0;
};
