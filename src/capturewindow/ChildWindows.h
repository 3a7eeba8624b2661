// The capture window's windows besides itself (preview hosts, merge preview):
// dialogs from a template that draw nothing of their own and live as long
// as the capture window keeps them.
#pragma once

#include <memory>

#include "platform/Ui.h"

namespace capturewindow {

class ChildWindow : public platform::DialogHandler {
 public:
  // Creates the window from `templateId` owned by `parent`. False when it
  // cannot be created.
  bool Create(platform::Ui& ui, int templateId, platform::Window* parent);
  void Destroy();
  // Hides the window when it exists.
  void Hide();
  platform::Window* Window() const { return window_.get(); }

  bool OnInitDialog() override { return true; }
  // Escape inside a child window must not end it.
  void OnCancel() override {}
  void OnOk() override {}

 private:
  std::unique_ptr<platform::Window> window_;
};

}  // namespace capturewindow
