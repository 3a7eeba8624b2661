// The capture window: the one dialog the process shows (template 102).
//
// The class is spread over files by concern: CTessivueDlg.cpp (messages,
// the link's requests, teardown), Startup.cpp, UiTexts.cpp,
// DeviceSession.cpp, SessionSettingsCollect.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "camera/CameraCallbacks.h"
#include "camera/CameraLibrary.h"
#include "capturewindow/CaptureTables.h"
#include "capturewindow/ChildWindows.h"
#include "dslink/CScanTwainControl.h"
#include "dslink/ITwainShowWindow.h"
#include "platform/Platform.h"
#include "thumbnails/CImageListCtrl.h"

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
  void OnMoving() override;
  void OnCopyData(uint32_t kind, const void* data, uint32_t size) override;

  // What the data-source link asks of the window.
  int NoOperation() override { return 1; }
  int ShowTwainWindow(int unused) override;
  int CaptureOne() override;
  int EnableMergeOption(int flag) override;
  int CloseTwainWindow() override;
  int ShowByMode() override { return 1; }
  void ApplyDSSettings(const DSScanSettings& settings) override;

  // Setting a control from code runs the same handler as a user's change.
  // False (and nothing runs) when the list has no item at `index`.
  bool SelectAndRun(int controlId, int index);
  void CheckAndRun(int controlId, bool checked);

  // The text pass and the fixed hiding pass over the controls.
  void ApplyUiTexts();
  void HideFixedControls();
  // Copies the controls into the session settings and writes the file; does
  // nothing before a completed start-up.
  void CollectAndSaveSessionSettings();

  bool IsStartUpComplete() const { return startUpComplete_; }
  int ImageDpi() const { return imageDpi_; }
  int MainDeviceIndex() const { return mainDeviceIndex_; }
  int SecondaryDeviceIndex() const { return secondaryDeviceIndex_; }
  const std::optional<std::string>& WorkFolderPath() const { return workFolder_; }
  CScanTwainControl& Link() { return link_; }
  camera::CameraLibrary& Camera() { return camera_; }
  platform::Window* MainPreviewHost() const { return mainPreviewHost_.Window(); }
  platform::Window* SecondaryPreviewHost() const { return secondaryPreviewHost_.Window(); }
  platform::Window* MergePreview() const { return mergePreview_.Window(); }
  CImageListCtrl& Thumbnails() { return thumbnails_; }

 private:
  platform::Window& Window() const { return *GetWindow(); }
  std::u16string Text(const char* key) const;
  void ApplyFlags(int controlId, const char* key);
  void ShowMessage(const std::u16string& text);

  // Start-up (Startup.cpp).
  bool BuildWindow();
  bool LoadCameraLibrary();
  void FillLanguageBox();
  void LoadStartUpLanguage();
  void CreateStatusBar();
  std::u16string VersionText(bool allFourParts) const;
  static void OnThumbnailCount(int count);

  // Texts (UiTexts.cpp).
  void RefillList(int controlId, const std::vector<std::u16string>& items);
  void OnLanguageChange();

  // Device session (DeviceSession.cpp).
  void RefreshControls(bool restoreSelections);
  void OnMainDeviceChange();
  void OnDeviceChange();
  void ReadNativeDpi(int device);
  void RestoreOptionSelections(bool restoreSelections);

  void OnSelectionChange(int controlId);
  void OnClicked(int controlId);

  // Change handlers of the option controls. Each sends the new choice to the
  // camera library; they arrive with the option work.
  void OnColorModeChange() {}
  void OnCropModeChange() {}
  void OnUnitChange() {}
  void OnRotationChange() {}
  void OnAutoCaptureModeChange() {}
  void OnMergeCheck() {}
  void OnMergeDirection() {}
  void OnSecondaryCameraCheck() {}
  void OnWatermarkCheck() {}
  void OnHandCropCheck() {}
  void OnFillBorderCheck() {}
  // The video format and frame-size lists of the open main camera.
  void FillMediaTypeAndResolutionLists() {}

  platform::Platform& platform_;
  CScanTwainControl link_;
  camera::CameraLibrary camera_;
  camera::CameraCallbacks callbacks_;
  std::optional<std::string> moduleFolder_;
  std::optional<std::string> workFolder_;
  std::u16string currentFile_;
  CImageListCtrl thumbnails_;
  platform::ProductVersion productVersion_{};
  std::vector<capturewindow::ResolutionLabel> resolutionLabels_;
  std::vector<int> dpiList_;
  std::vector<capturewindow::NativeDpiRecord> nativeDpiRecords_;
  capturewindow::ChildWindow mainPreviewHost_;
  int mainDeviceIndex_ = -1;
  capturewindow::ChildWindow mergePreview_;
  capturewindow::ChildWindow secondaryPreviewHost_;
  int mergeType_ = 0;
  int mergePosition_ = 2;
  int secondaryDeviceIndex_ = -1;
  int cropModeBeforeHandCrop_ = 0;
  bool waitingForSecondPicture_ = false;
  int imageDpi_ = 0;
  bool tablesBuilt_ = false;
  bool deviceChangePending_ = false;
  bool deviceListWidened_ = false;
  bool startUpComplete_ = false;
};

// The one capture window of this process, reached by plain callbacks.
extern CTessivueDlg* g_TessivueDlg;
