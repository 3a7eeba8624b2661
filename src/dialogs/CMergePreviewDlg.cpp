#include "dialogs/CMergePreviewDlg.h"

#include "resource.h"

CMergePreviewDlg::CMergePreviewDlg(platform::Platform& platform)
    : platform_(platform),
      first_(platform, IDC_MERGE_FIRST_PANE),
      second_(platform, IDC_MERGE_SECOND_PANE) {}

CMergePreviewDlg::~CMergePreviewDlg() { Destroy(); }

bool CMergePreviewDlg::Create(platform::Window* owner) {
  window_ = platform_.ui.CreateModeless(IDD_MERGE_PREVIEW, *this, owner);
  if (window_ == nullptr) return false;
  window_->Show(false);
  return true;
}

void CMergePreviewDlg::Destroy() {
  if (window_ != nullptr && window_->Exists()) window_->Destroy();
  window_.reset();
  first_.Attach(nullptr);
  second_.Attach(nullptr);
}

void CMergePreviewDlg::Hide() {
  if (window_ != nullptr && window_->Exists()) window_->Show(false);
}

bool CMergePreviewDlg::OnInitDialog() {
  first_.Attach(GetWindow());
  second_.Attach(GetWindow());
  return true;
}

void CMergePreviewDlg::OnDestroy() {
  first_.Attach(nullptr);
  second_.Attach(nullptr);
}

void CMergePreviewDlg::LayOutPanes(dialogs::MergeDirection direction) {
  if (window_ == nullptr) return;
  const platform::Rect client = window_->ClientRect();
  const dialogs::MergePanes panes =
      dialogs::LayOutMergePanes(client.Width(), client.Height(), direction, window_->Dpi());
  window_->MoveControl(first_.ControlId(), panes.first);
  window_->MoveControl(second_.ControlId(), panes.second);
}
