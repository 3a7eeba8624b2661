// The capture window: the one dialog the process shows (template 102).
#pragma once

#include <cstdint>

#include "dslink/CScanTwainControl.h"
#include "dslink/ITwainShowWindow.h"
#include "platform/Platform.h"

class CTessivueDlg : public platform::DialogHandler, public ITwainShowWindow {
 public:
  explicit CTessivueDlg(platform::Platform& platform);
  ~CTessivueDlg() override;
  CTessivueDlg(const CTessivueDlg&) = delete;
  CTessivueDlg& operator=(const CTessivueDlg&) = delete;

  // Runs the window modally until it is cancelled; returns the dialog result.
  int DoModal();

  // Window messages.
  bool OnInitDialog() override;
  void OnCommand(int controlId, int notifyCode) override;
  bool OnSysCommand(uint32_t command) override;
  void OnDestroy() override;
  void OnCopyData(uint32_t kind, const void* data, uint32_t size) override;

  // What the data-source link asks of the window.
  int NoOperation() override { return 1; }
  int ShowTwainWindow(int unused) override;
  int CaptureOne() override;
  int EnableMergeOption(int flag) override;
  int CloseTwainWindow() override;
  int ShowByMode() override { return 1; }
  void ApplyDSSettings(const DSScanSettings& settings) override;

  bool IsStartUpComplete() const { return startUpComplete_; }
  int ImageDpi() const { return imageDpi_; }
  CScanTwainControl& Link() { return link_; }

  // Setting a control from code runs the same handler as a user's change.
  // False (and nothing runs) when the list has no item at `index`.
  bool SelectAndRun(int controlId, int index);
  void CheckAndRun(int controlId, bool checked);

 private:
  platform::Window& Window() const { return *GetWindow(); }
  void OnSelectionChange(int controlId);
  void OnClicked(int controlId);

  // Change handlers of the option controls.
  void OnColorModeChange();
  void OnCropModeChange();
  void OnUnitChange();
  void OnRotationChange();

  platform::Platform& platform_;
  CScanTwainControl link_;
  int imageDpi_ = 0;
  bool startUpComplete_ = false;
};

// The one capture window of this process, reached by plain callbacks.
extern CTessivueDlg* g_TessivueDlg;
