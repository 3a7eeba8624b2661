#include "dialogs/CAboutDlg.h"

#include "resource.h"

void CAboutDlg::OnCommand(int controlId, int notifyCode) {
  if (controlId == IDOK && notifyCode == platform::kNotifyClicked) OnOk();
}
