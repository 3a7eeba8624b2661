// The merge preview (template 138): a pop-up without caption or border that
// floats over the lower part of the live picture while the two-picture
// merge is on, with one pane for each picture of the pair. Modeless; it
// exists hidden from the capture window's start-up to its end.
#pragma once

#include <functional>
#include <memory>

#include "dialogs/CPicturePreview.h"
#include "dialogs/MergePreviewLayout.h"
#include "platform/Platform.h"

class CMergePreviewDlg : public platform::DialogHandler {
 public:
  explicit CMergePreviewDlg(platform::Platform& platform);
  ~CMergePreviewDlg() override;
  CMergePreviewDlg(const CMergePreviewDlg&) = delete;
  CMergePreviewDlg& operator=(const CMergePreviewDlg&) = delete;

  // Creates the window, hidden, owned by `owner`. False when it cannot be
  // created.
  bool Create(platform::Window* owner);
  // Destroys the window and with it the pictures of its panes.
  void Destroy();
  // Hides the window when it exists.
  void Hide();
  platform::Window* Window() const { return window_.get(); }

  // Lays the panes out in the window's client area for `direction`.
  void LayOutPanes(dialogs::MergeDirection direction);

  CPicturePreview& FirstPane() { return first_; }
  CPicturePreview& SecondPane() { return second_; }
  const CPicturePreview& FirstPane() const { return first_; }
  const CPicturePreview& SecondPane() const { return second_; }

  // Told when the preview moved to a monitor of another DPI; its owner
  // places it and lays its panes out again.
  void SetDpiChangeHandler(std::function<void()> handler) { onDpiChanged_ = std::move(handler); }

  bool OnInitDialog() override;
  void OnDestroy() override;
  void OnDpiChanged() override {
    if (onDpiChanged_) onDpiChanged_();
  }
  // Escape inside the preview must not end it.
  void OnCancel() override {}
  void OnOk() override {}

 private:
  platform::Platform& platform_;
  std::unique_ptr<platform::Window> window_;
  CPicturePreview first_;
  CPicturePreview second_;
  std::function<void()> onDpiChanged_;
};
