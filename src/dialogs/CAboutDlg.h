// The about box (template 100): modal, closed with OK.
#pragma once

#include "platform/Ui.h"

class CAboutDlg : public platform::DialogHandler {
 public:
  bool OnInitDialog() override { return true; }
  void OnCommand(int controlId, int notifyCode) override;
};
