#include "dialogs/CAutoCaptureDlg.h"

#include <string>

#include "resource.h"

namespace {

using localisation::UiText;

std::u16string Number(int32_t value) {
  std::u16string text;
  for (char c : std::to_string(value)) text.push_back(static_cast<char16_t>(c));
  return text;
}

}  // namespace

int CAutoCaptureDlg::Run(platform::Window* owner) {
  return ui_.RunModal(IDD_AUTO_CAPTURE, *this, owner);
}

bool CAutoCaptureDlg::OnInitDialog() {
  platform::Window& window = *GetWindow();
  shotCount_ = 0;
  window.SetCaption(texts_.Text(UiText::AutoCaptureText));
  if (mode_ == kModeAutomatic) {
    window.ShowControl(IDC_AC_COUNTDOWN, false);
  } else {
    ShowCountdown(0);
    window.ShowControl(IDC_AC_COUNTDOWN, true);
  }
  ShowShotCount();
  window.SetText(IDC_AC_END, texts_.Text(UiText::End));
  window.CenterWindow();
  StartRun();
  return true;
}

void CAutoCaptureDlg::OnCommand(int controlId, int notifyCode) {
  if (notifyCode != platform::kNotifyClicked) return;
  switch (controlId) {
    case IDC_AC_START: StartRun(); break;
    case IDC_AC_STOP: StopRun(); break;
    case IDC_AC_END: End(); break;
    default: break;
  }
}

void CAutoCaptureDlg::End() {
  if (!IsOpen()) return;
  StopRun();
  GetWindow()->EndModal(platform::kIdOk);
}

void CAutoCaptureDlg::OnCancel() {
  StopRun();
  platform::DialogHandler::OnCancel();
}

void CAutoCaptureDlg::SuspendRun() {
  if (!running_) return;
  StopRun();
  suspended_ = true;
}

void CAutoCaptureDlg::ResumeRun() {
  if (!suspended_) return;
  suspended_ = false;
  if (IsOpen()) StartRun();
}

void CAutoCaptureDlg::StartRun() {
  platform::Window& window = *GetWindow();
  if (running_ || source_ == nullptr) return;
  window.SetProgressRange(IDC_AC_PROGRESS, 0, target_);
  const int32_t result =
      source_->StartAutoCapture(mode_, target_, [this](int32_t value) { OnProgress(value); });
  if (result != 0) {
    ui_.ShowMessageBox(&window, texts_.Text(UiText::ErrCode) + u": " + Number(result));
    return;
  }
  window.Enable(IDC_AC_START, false);
  window.Enable(IDC_AC_STOP, true);
  running_ = true;
}

void CAutoCaptureDlg::StopRun() {
  running_ = false;
  waitingShots_ = 0;
  // Every stop reaches the library, also one of a run that has stopped
  // already or never started: End stops, and the dialog's destruction that
  // follows stops again.
  if (source_ != nullptr) source_->StopAutoCapture();
  if (platform::Window* window = GetWindow()) {
    window->SetProgressPosition(IDC_AC_PROGRESS, 0);
    window->Enable(IDC_AC_START, true);
    window->Enable(IDC_AC_STOP, false);
  }
}

void CAutoCaptureDlg::OnProgress(int32_t value) {
  platform::Window* window = GetWindow();
  if (!running_ || window == nullptr) return;
  window->SetProgressPosition(IDC_AC_PROGRESS, value);
  if (mode_ == kModeTimed) ShowCountdown(value);
  if (value != target_) return;
  ++waitingShots_;
  TakeWaitingShots();
}

void CAutoCaptureDlg::TakeWaitingShots() {
  if (takingShot_) return;  // the shot under way takes this one after it
  takingShot_ = true;
  while (running_ && waitingShots_ > 0) {
    --waitingShots_;
    source_->TakeShot();
    // A failed shot counts too: the counter counts the signalled shots.
    ++shotCount_;
    if (running_) ShowShotCount();
  }
  takingShot_ = false;
}

void CAutoCaptureDlg::ShowCountdown(int32_t value) {
  GetWindow()->SetText(IDC_AC_COUNTDOWN, Number(value) + u" " + texts_.Text(UiText::UnitName));
}

void CAutoCaptureDlg::ShowShotCount() {
  GetWindow()->SetText(IDC_AC_SHOT_COUNT, localisation::PageCounterText(texts_, shotCount_));
}
