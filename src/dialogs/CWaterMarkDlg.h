// The watermark settings dialog (template 130). It edits a copy of the
// watermark options: the copy it is given goes onto the controls when it
// opens, and OK reads every control back into it. After Cancel the copy is
// as it was given. The enabled flag belongs to the capture window's check
// box and is never touched here.
#pragma once

#include "dialogs/WatermarkOptions.h"
#include "localisation/UiTextTable.h"
#include "platform/Ui.h"

class CWaterMarkDlg : public platform::DialogHandler {
 public:
  CWaterMarkDlg(const localisation::UiTextTable& texts, const WatermarkOptions& options);

  bool OnInitDialog() override;
  void OnCommand(int controlId, int notifyCode) override;
  // OK, the default button, or Enter: reads the controls back and closes.
  void OnOk() override;

  const WatermarkOptions& Options() const { return options_; }

 private:
  void ShowFont(platform::Window& window);
  void ShowFontSize(platform::Window& window);
  void ShowSliders(platform::Window& window);
  void ShowTexts(platform::Window& window);
  void ReadBack(const platform::Window& window);

  const localisation::UiTextTable& texts_;
  WatermarkOptions options_;
};
