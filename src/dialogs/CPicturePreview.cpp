#include "dialogs/CPicturePreview.h"

#include <memory>
#include <utility>

CPicturePreview::CPicturePreview(platform::Platform& platform, int controlId)
    : platform_(platform), controlId_(controlId) {}

int CPicturePreview::SetPicture(const std::u16string& path) {
  if (window_ == nullptr) return -1;
  if (hasPicture_) {
    window_->SetPanePicture(controlId_, nullptr);
    hasPicture_ = false;
    width_ = 0;
    height_ = 0;
  }
  if (path.empty() || !platform_.os.FileExists(path)) return -1;
  // The picture comes from the work folder, but anything may lie there: a
  // file that is no picture, or one too large to hold, leaves the pane empty.
  std::unique_ptr<platform::Picture> picture = platform_.imaging.LoadPicture(path);
  if (picture == nullptr) return -1;
  const platform::ImageSize size = picture->Size();
  width_ = static_cast<int>(size.width);
  height_ = static_cast<int>(size.height);
  window_->SetPanePicture(controlId_, std::move(picture));
  hasPicture_ = true;
  return 0;
}
