#include "capturewindow/CTessivueDlg.h"

#include <cstring>

#include "dialogs/CAboutDlg.h"
#include "resource.h"
#include "settings/SettingsControls.h"
#include "settings/SettingsFile.h"

CTessivueDlg* g_TessivueDlg = nullptr;

namespace {

// Colour-mode list index for a TWAIN pixel type.
int ColorModeIndexForPixelType(int32_t pixelType) {
  switch (pixelType) {
    case 0: return 3;   // black and white
    case 1: return 1;   // grey
    default: return 0;  // colour
  }
}

constexpr int kUnitDpiIndex = 1;
constexpr int kCropModeSingleIndex = 1;

}  // namespace

// Who handles which control. A user's notification and the core's own
// SelectAndRun / CheckAndRun / RunHandler all go through this table.
const CTessivueDlg::Route CTessivueDlg::kRoutes[] = {
    {IDC_DEVICE, platform::kNotifySelectionChange,
     [](CTessivueDlg& w) { w.devices_.OnMainDeviceChange(); }},
    {IDC_SECONDARY_CAMERA, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.devices_.OnSecondaryCameraToggle(); }},
    {IDC_SECONDARY_DEVICE, platform::kNotifySelectionChange,
     [](CTessivueDlg& w) { w.devices_.OnSecondaryDeviceChange(); }},
    {IDC_MEDIA_TYPE, platform::kNotifySelectionChange,
     [](CTessivueDlg& w) { w.frameSizes_.OnVideoFormatChange(); }},
    {IDC_FRAME_SIZE, platform::kNotifySelectionChange,
     [](CTessivueDlg& w) { w.frameSizes_.OnResolutionChange(); }},
    {IDC_UNIT, platform::kNotifySelectionChange,
     [](CTessivueDlg& w) { w.frameSizes_.OnUnitChange(); }},
    {IDC_SECONDARY_FRAME_SIZE, platform::kNotifySelectionChange,
     [](CTessivueDlg& w) { w.frameSizes_.OnSecondaryResolutionChange(); }},
    {IDC_LANGUAGE, platform::kNotifySelectionChange, [](CTessivueDlg& w) { w.OnLanguageChange(); }},
    {IDC_SAVE, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.CollectAndSaveSessionSettings(); }},
    {IDC_WATERMARK, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.watermark_.ApplyWatermark(); }},
    {IDC_WATERMARK_SETTINGS, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.watermark_.OnSettings(); }},
    {IDC_EXIT, platform::kNotifyClicked, [](CTessivueDlg& w) { w.RunExitAction(); }},
    {IDC_CAPTURE, platform::kNotifyClicked, [](CTessivueDlg& w) { w.OnCapture(); }},
    {IDC_AUTO_CAPTURE, platform::kNotifyClicked, [](CTessivueDlg& w) { w.autoCapture_.Start(); }},
    {IDC_SECONDARY_CAPTURE, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.pipeline_.CaptureSecondaryImage(); }},

    // The picture options and the preview row.
    {IDC_COLOR_MODE, platform::kNotifySelectionChange,
     [](CTessivueDlg& w) { w.options_.OnColorModeChange(); }},
    {IDC_CROP_MODE, platform::kNotifySelectionChange,
     [](CTessivueDlg& w) { w.options_.OnCropModeChange(); }},
    {IDC_HAND_CROP, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.options_.OnHandCropChange(); }},
    {IDC_FILL_BORDER, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.options_.OnEdgeFillChange(); }},
    {IDC_AUTO_CAPTURE_MODE, platform::kNotifySelectionChange,
     [](CTessivueDlg& w) { w.options_.OnAutoCaptureModeChange(); }},
    {IDC_ZOOM_IN, platform::kNotifyClicked, [](CTessivueDlg& w) { w.options_.OnZoomIn(); }},
    {IDC_ZOOM_OUT, platform::kNotifyClicked, [](CTessivueDlg& w) { w.options_.OnZoomOut(); }},
    {IDC_ORIGINAL_SIZE, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.options_.OnOriginalSize(); }},
    {IDC_BEST_FIT, platform::kNotifyClicked, [](CTessivueDlg& w) { w.options_.OnBestFit(); }},
    {IDC_ROTATE, platform::kNotifySelectionChange,
     [](CTessivueDlg& w) { w.options_.OnRotationChange(); }},
    {IDC_AUTO_FOCUS, platform::kNotifyClicked, [](CTessivueDlg& w) { w.options_.OnAutoFocus(); }},
    {IDC_DEVICE_SETTINGS, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.options_.OnDeviceSettings(); }},
    {IDC_IMAGE_SETTINGS, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.options_.OnImageSettings(); }},

    // The two merges.
    {IDC_MERGE, platform::kNotifyClicked, [](CTessivueDlg& w) { w.merges_.OnMergeChange(); }},
    {IDC_MERGE_HORIZONTAL, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.merges_.OnHorizontalChosen(); }},
    {IDC_MERGE_VERTICAL, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.merges_.OnVerticalChosen(); }},
    {IDC_SECONDARY_MERGE, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.merges_.OnSecondaryMergeChange(); }},
    {IDC_MERGE_SETTINGS, platform::kNotifyClicked,
     [](CTessivueDlg& w) { w.merges_.OnMergeOptions(); }},
};

CTessivueDlg::CTessivueDlg(platform::Platform& platform)
    : platform_(platform),
      link_(platform),
      camera_(platform.os),
      callbacks_(platform.ui),
      context_{platform, camera_, texts_, settings_, link_, *this, moduleFolder_},
      thumbnails_(platform, texts_),
      windowTexts_(context_),
      frameSizes_(context_),
      devices_(context_, frameSizes_),
      options_(context_),
      pipeline_(context_, thumbnails_),
      merges_(context_, pipeline_.Pair()),
      watermark_(context_),
      autoCapture_(context_, callbacks_, pipeline_, merges_),
      accessibility_(context_) {
  g_TessivueDlg = this;
  // The batch hands the pictures over in the order the list shows them.
  link_.SetFileOrder([this] { return thumbnails_.ListedFiles(); });
}

CTessivueDlg::~CTessivueDlg() {
  link_.SetFileOrder(nullptr);
  if (g_TessivueDlg == this) g_TessivueDlg = nullptr;
}

int CTessivueDlg::DoModal() { return platform_.ui.RunModal(IDD_CAPTURE_WINDOW, *this, nullptr); }

void CTessivueDlg::OnCommand(int controlId, int notifyCode) {
  for (const Route& route : kRoutes) {
    if (route.controlId == controlId && route.notifyCode == notifyCode) route.run(*this);
  }
}

void CTessivueDlg::RunHandler(int controlId) {
  for (const Route& route : kRoutes) {
    if (route.controlId == controlId) route.run(*this);
  }
}

bool CTessivueDlg::SelectAndRun(int controlId, int index) {
  if (index < 0 || index >= Controls().ItemCount(controlId)) return false;
  Controls().SetSelection(controlId, index);
  RunHandler(controlId);
  return true;
}

void CTessivueDlg::SetSelectionAndRun(int controlId, int index) {
  Controls().SetSelection(controlId, index);
  RunHandler(controlId);
}

void CTessivueDlg::CheckAndRun(int controlId, bool checked) {
  Controls().SetChecked(controlId, checked);
  RunHandler(controlId);
}

bool CTessivueDlg::OnSysCommand(uint32_t command) {
  if ((command & 0xFFF0u) != IDM_ABOUTBOX) return false;
  CAboutDlg about;
  (void)platform_.ui.RunModal(IDD_ABOUTBOX, about, GetWindow());
  return true;
}

void CTessivueDlg::OnMoving() { merges_.KeepPreviewOverPicture(); }

void CTessivueDlg::OnDpiChanged() {
  devices_.PlacePreviewHosts(Controls().ControlRect(IDC_PREVIEW_AREA));
  merges_.LayOutPreviewAgain();
  thumbnails_.OnDpiChanged();
}

void CTessivueDlg::OnCopyData(uint32_t kind, const void* data, uint32_t size) {
  // Only the receiving window acts on the data source's records; a text
  // message that reaches this window goes to the controller, which ignores it.
  if (kind != kDSKindTextMessage || data == nullptr || size < sizeof(DSMessageRecord)) return;
  DSMessageRecord record;
  std::memcpy(&record, data, sizeof record);
  (void)link_.OnDSMessage(record);
}

void CTessivueDlg::OnThumbnailCount(int count) {
  if (GetWindow() != nullptr) Controls().Enable(IDC_EXIT, count > 0);
}

int CTessivueDlg::ShowTwainWindow(int /*unused*/) {
  Controls().Show(true);
  return 1;
}

int CTessivueDlg::CaptureOne() {
  RunHandler(IDC_CAPTURE);
  return 1;
}

int CTessivueDlg::EnableMergeOption(int flag) {
  Controls().Enable(IDC_MERGE, flag == 0);
  return 1;
}

int CTessivueDlg::CloseTwainWindow() {
  // An open auto-capture dialog runs its own modal loop inside this
  // window's: it ends first, so that both loops unwind.
  autoCapture_.End();
  OnCancel();
  return 1;
}

void CTessivueDlg::ApplyDSSettings(const DSScanSettings& settings) {
  if (settings.autoCrop != 0) (void)SelectAndRun(IDC_CROP_MODE, kCropModeSingleIndex);

  // The resolution comes from another process: only a value that has a
  // whole DPI is used; otherwise the current DPI stays.
  if (Controls().ItemCount(IDC_UNIT) > kUnitDpiIndex) {
    if (auto dpi = ResolutionToDpi(settings.resolution)) settings_.DPI.ImageDPI = *dpi;
    (void)SelectAndRun(IDC_UNIT, kUnitDpiIndex);
  }

  (void)SelectAndRun(IDC_COLOR_MODE, ColorModeIndexForPixelType(settings.pixelType));
  // A rotation the list does not offer leaves the rotation as it is.
  (void)SelectAndRun(IDC_ROTATE, settings.rotation);
}

void CTessivueDlg::CollectAndSaveSessionSettings() {
  // A window whose start-up did not complete never overwrites the file.
  if (!startUpComplete_ || !moduleFolder_) return;
  settings::CollectControlValues(Controls(), settings_);
  merges_.Collect(settings_);
  watermark_.Collect(settings_);
  if (auto code = windowTexts_.SelectedLanguageCode()) {
    settings_.Language = platform_.os.WideToAnsi(*code);
  }
  (void)settings::SaveSessionSettings(platform_.os, *moduleFolder_, settings_);
}

void CTessivueDlg::OnCapture() {
  // Manual capture; the other modes of the auto-capture list start a run
  // of automatic shots instead.
  if (Controls().Selection(IDC_AUTO_CAPTURE_MODE) != 0) {
    autoCapture_.Start();
    return;
  }
  pipeline_.CaptureImage(merges_.ForCapture());
}

void CTessivueDlg::RunExitAction() {
  // A run of automatic shots ends before the files are handed over, so no
  // shot lands after the hand-off.
  autoCapture_.End();
  Controls().Show(false);
  merges_.HidePreview();
  devices_.HideMainPreviewHost();
  devices_.HideSecondaryPreviewHost();
  const bool closing = link_.FinishSession();
  // Nothing can be taken back once the pictures are handed over.
  thumbnails_.DeleteSetAsideFiles();
  // One-by-one: the link has ended; the window closes as a close request would.
  if (closing) OnCancel();
}

void CTessivueDlg::OnLanguageChange() {
  if (!windowTexts_.SwitchLanguage()) return;
  accessibility_.ApplyTexts(devices_.MainPreviewHost());
  // The language's flags know nothing of the other controls: put back what
  // follows from them.
  ApplyDependentEnableStates(Controls().IsChecked(IDC_WATERMARK));
  // The text pass names the Capture button for single shots; in an auto
  // capture mode it starts auto capture and says so. No library call.
  options_.OnAutoCaptureModeChange();
}

