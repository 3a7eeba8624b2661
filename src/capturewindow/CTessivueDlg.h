// The capture window: the one dialog the process shows (template 102).
//
// The window keeps its messages, the start-up and teardown sequences in
// their order (Startup.cpp) and the routing of control notifications to the
// components that own them (CTessivueDlg.cpp). Everything a feature knows
// lives in its component; the window owns the records they share (session
// settings, UI texts) and hands them out through a CaptureContext.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "camera/CameraCallbacks.h"
#include "camera/CameraLibrary.h"
#include "capture/CapturePipeline.h"
#include "capturewindow/Accessibility.h"
#include "capturewindow/AutoCapture.h"
#include "capturewindow/DeviceSession.h"
#include "capturewindow/FrameSizes.h"
#include "capturewindow/ImageOptions.h"
#include "capturewindow/MergeControls.h"
#include "capturewindow/WatermarkControls.h"
#include "capturewindow/WindowTexts.h"
#include "context/CaptureContext.h"
#include "context/CaptureWindow.h"
#include "dslink/CScanTwainControl.h"
#include "dslink/ITwainShowWindow.h"
#include "localisation/UiTextTable.h"
#include "platform/Platform.h"
#include "settings/SessionSettings.h"
#include "thumbnails/CImageListCtrl.h"

class CTessivueDlg : public platform::DialogHandler, public ITwainShowWindow, public CaptureWindow {
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
  void OnMoving() override;
  // On a monitor of another DPI: the live picture's hosts, the merge
  // preview and the thumbnails are laid out again for it.
  void OnDpiChanged() override;
  void OnCopyData(uint32_t kind, const void* data, uint32_t size) override;

  // What the data-source link asks of the window.
  int NoOperation() override { return 1; }
  int ShowTwainWindow(int unused) override;
  int CaptureOne() override;
  int EnableMergeOption(int flag) override;
  int CloseTwainWindow() override;
  int ShowByMode() override { return 1; }
  void ApplyDSSettings(const DSScanSettings& settings) override;

  // What the window offers its components.
  platform::Window& Controls() const override { return *GetWindow(); }
  bool SelectAndRun(int controlId, int index) override;
  void SetSelectionAndRun(int controlId, int index) override;
  void CheckAndRun(int controlId, bool checked) override;
  void RunHandler(int controlId) override;
  int MainDeviceIndex() const override { return devices_.MainDeviceIndex(); }
  int SecondaryDeviceIndex() const override { return devices_.SecondaryDeviceIndex(); }
  void RefreshWatermarkTimeStamp() override { watermark_.RefreshTimeStamp(); }

  // The thumbnail list's count: the user can finish only while at least
  // one captured picture is listed.
  void OnThumbnailCount(int count);
  // Copies the controls into the session settings and writes the file; does
  // nothing before a completed start-up.
  void CollectAndSaveSessionSettings();

  bool IsStartUpComplete() const { return startUpComplete_; }
  const settings::SessionSettings& Settings() const { return settings_; }
  const localisation::UiTextTable& Texts() const { return texts_; }
  CScanTwainControl& Link() { return link_; }
  camera::CameraLibrary& Camera() { return camera_; }
  CImageListCtrl& Thumbnails() { return thumbnails_; }
  const capturewindow::DeviceSession& Devices() const { return devices_; }
  const capturewindow::FrameSizes& FrameSizeLists() const { return frameSizes_; }
  const capturewindow::MergeControls& Merges() const { return merges_; }
  const capturewindow::WatermarkControls& Watermark() const { return watermark_; }
  const capturewindow::WindowTexts& WindowLanguage() const { return windowTexts_; }
  const capturewindow::AutoCapture& AutoCaptureRun() const { return autoCapture_; }
  const capture::CapturePipeline& Pipeline() const { return pipeline_; }
  capture::CapturePipeline& Pipeline() { return pipeline_; }

 private:
  // One control notification and who handles it.
  struct Route {
    int controlId;
    int notifyCode;
    void (*run)(CTessivueDlg& window);
  };
  static const Route kRoutes[];

  // Start-up (Startup.cpp).
  void BuildWindow();
  bool LoadCameraLibrary();
  void RefreshControls(bool restoreSelections);
  void RestoreOptionSelections(bool restoreSelections);
  // The enabled states that follow other controls and the stored crop mode.
  void ApplyDependentEnableStates(bool watermarkOn);
  void OnDeviceChange();
  // Copies the choices that a device-change refresh re-applies from the
  // record into it, from the controls.
  void KeepShownChoices();
  void OnLanguageChange();
  // Capture (1109): one picture, or automatic shots by the auto-capture mode.
  void OnCapture();
  // Exit: the user is done. Hides the windows and hands the files over.
  void RunExitAction();

  platform::Platform& platform_;
  settings::SessionSettings settings_;
  localisation::UiTextTable texts_;
  std::optional<std::string> moduleFolder_;
  CScanTwainControl link_;
  camera::CameraLibrary camera_;
  camera::CameraCallbacks callbacks_;
  CaptureContext context_;
  CImageListCtrl thumbnails_;
  capturewindow::WindowTexts windowTexts_;
  capturewindow::FrameSizes frameSizes_;
  capturewindow::DeviceSession devices_;
  capturewindow::ImageOptions options_;
  capture::CapturePipeline pipeline_;
  capturewindow::MergeControls merges_;
  capturewindow::WatermarkControls watermark_;
  capturewindow::AutoCapture autoCapture_;
  capturewindow::Accessibility accessibility_;
  bool deviceChangePending_ = false;
  bool startUpComplete_ = false;
};

// The one capture window of this process, for the plain callbacks only.
extern CTessivueDlg* g_TessivueDlg;
