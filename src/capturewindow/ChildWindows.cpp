#include "capturewindow/ChildWindows.h"

namespace capturewindow {

bool ChildWindow::Create(platform::Ui& ui, int templateId, platform::Window* parent) {
  window_ = ui.CreateModeless(templateId, *this, parent);
  return window_ != nullptr;
}

void ChildWindow::Destroy() {
  if (window_ && window_->Exists()) window_->Destroy();
  window_.reset();
}

void ChildWindow::Hide() {
  if (window_ && window_->Exists()) window_->Show(false);
}

}  // namespace capturewindow
