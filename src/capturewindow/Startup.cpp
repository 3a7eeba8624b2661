// The capture window's start-up, the restoring of the saved choices and the
// teardown, each in its fixed order.
#include "capturewindow/CTessivueDlg.h"
#include "capturewindow/ModuleFolder.h"
#include "resource.h"
#include "settings/SettingsControls.h"
#include "settings/SettingsFile.h"

namespace {

const char16_t kConnectFailedMessage[] =
    u"Prismel can't find TwainDS or missing configuration file.";

// The thumbnail list's plain count callback.
void ThumbnailCountChanged(int count) {
  if (g_TessivueDlg != nullptr) g_TessivueDlg->OnThumbnailCount(count);
}

}  // namespace

bool CTessivueDlg::OnInitDialog() {
  // Exit stays disabled until the first thumbnail, also when the start-up
  // stops early: a process without a data source must not hide itself.
  Controls().Enable(IDC_EXIT, false);

  const std::u16string aboutText = platform_.ui.LoadString(IDS_ABOUTBOX);
  if (!aboutText.empty()) (void)Controls().AppendSystemMenuItem(IDM_ABOUTBOX, aboutText);
  Controls().SetIcon(IDR_MAINFRAME);

  if (auto moduleFile = platform_.os.ModuleFileName()) {
    moduleFolder_ = capturewindow::ModuleFolderOf(*moduleFile);
  }
  // Without the settings file the defaults stay.
  if (moduleFolder_) (void)settings::LoadSessionSettings(platform_.os, *moduleFolder_, settings_);
  windowTexts_.FillLanguageBox();

  BuildWindow();
  if (!LoadCameraLibrary()) return false;

  (void)camera_.camRegCallBackDeviceChange(
      callbacks_.SetDeviceChangeHandler([this] { OnDeviceChange(); }));
  const int32_t initResult = camera_.camInitCameraLib();
  if (initResult != 0) {
    context_.ShowErrorCode(initResult);
    OnCancel();
    return false;
  }

  pipeline_.PrepareWorkFolder();
  frameSizes_.BuildTables();
  options_.Restore(settings_);
  Controls().CenterWindow();
  RefreshControls(true);
  windowTexts_.HideFixedControls();

  if (link_.Connect(this) == 0) {
    context_.ShowMessage(kConnectFailedMessage);
    link_.Disconnect();
    OnCancel();
    return false;
  }
  Controls().Show(true);
  Controls().Enable(IDC_EXIT, false);
  startUpComplete_ = true;

  // A camera plugged in or removed while the start-up ran is handled now.
  if (deviceChangePending_) OnDeviceChange();
  return true;
}

void CTessivueDlg::BuildWindow() {
  if (thumbnails_.Initialise(Controls(), IDC_THUMBNAILS)) {
    thumbnails_.SetCountCallback(&ThumbnailCountChanged);
    thumbnails_.EnsureVisible(thumbnails_.GetItemCount() - 1);
  }

  // The live picture of the main camera is drawn into a child window laid
  // over the placeholder.
  const platform::Rect area = Controls().ControlRect(IDC_PREVIEW_AREA);
  devices_.CreateMainPreviewHost(area);

  Controls().ClearItems(IDC_FILE_FORMAT);
  Controls().InsertItem(IDC_FILE_FORMAT, 0, u"BMP(*.bmp)");
  Controls().InsertItem(IDC_FILE_FORMAT, 1, u"JPEG(*.jpg)");
  Controls().InsertItem(IDC_FILE_FORMAT, 2, u"PNG(*.png)");

  merges_.CreatePreview();
  windowTexts_.CreateStatusBar();
  devices_.CreateSecondaryPreviewHost(area);
  windowTexts_.LoadStartUpLanguage();
  windowTexts_.ApplyUiTexts();
  accessibility_.Install();
  accessibility_.ApplyTexts(devices_.MainPreviewHost());
}

bool CTessivueDlg::LoadCameraLibrary() {
  // The library is loaded with the program's folder as the current folder,
  // so that what it loads itself is found there too. The previous folder is
  // put back whether or not the load worked.
  if (!moduleFolder_) {
    platform_.os.WriteStandardOutput("LoadLibrary failed\n");
    return false;
  }
  const std::u16string previousFolder = platform_.os.CurrentDirectory();
  (void)platform_.os.ChangeDirectory(*moduleFolder_);
  const bool loaded = camera_.Load(*moduleFolder_ + "\\Kelpra.dll");
  (void)platform_.os.ChangeDirectory(previousFolder);
  return loaded;
}

// Lists the cameras, opens the first, and puts the saved choices back on
// the option controls, each followed by its own change handler. After a
// device change the controls keep what they show (only the choices that the
// refresh itself disturbs are put back), and the handlers that send a choice
// to the main camera run all the same, since that camera was just opened.
void CTessivueDlg::RefreshControls(bool restoreSelections) {
  const int count = devices_.ListDevices();
  if (count > 0) {
    (void)SelectAndRun(IDC_DEVICE, 0);
    Controls().SetSelection(IDC_UNIT, settings_.SizeUnit);
    frameSizes_.FillVideoFormats();
    frameSizes_.FillResolutions();
  }
  RestoreOptionSelections(restoreSelections);

  // One-by-one hand-off is switched on only for the value 1; the Exit action
  // takes the batch path for every other value, so both agree.
  if (settings_.ShowUIUpdataOneByOne == 1) link_.SetOneByOne(true);
  // Each picture is handed over as it is taken: its place is settled.
  thumbnails_.SetOrderFixed(link_.IsOneByOne());
  CheckAndRun(IDC_HAND_CROP, settings_.HandCut != 0);
  CheckAndRun(IDC_FILL_BORDER, settings_.EdgeBorder != 0);
}

void CTessivueDlg::RestoreOptionSelections(bool restoreSelections) {
  const settings::SessionSettings& saved = settings_;
  platform::Window& window = Controls();

  // The camera just opened knows nothing of the colour, crop and rotation
  // choices: their handlers run after a device change too, with what the
  // lists show, so that the camera always matches the window.
  if (restoreSelections) window.SetSelection(IDC_COLOR_MODE, saved.colorType);
  RunHandler(IDC_COLOR_MODE);
  if (restoreSelections) window.SetSelection(IDC_CROP_MODE, saved.cutType);
  RunHandler(IDC_CROP_MODE);
  if (restoreSelections) {
    window.SetSelection(IDC_FILE_FORMAT, saved.fileType);
    window.SetSelection(IDC_ROTATE, saved.rotateType);
  }
  RunHandler(IDC_ROTATE);
  SetSelectionAndRun(IDC_AUTO_CAPTURE_MODE, saved.autoCaptureType);

  if (restoreSelections) {
    window.SetChecked(IDC_MERGE, saved.MergeHV.isEnable);
    if (saved.MergeHV.direction == 1) window.SetChecked(IDC_MERGE_HORIZONTAL, true);
    if (saved.MergeHV.direction == 2) window.SetChecked(IDC_MERGE_VERTICAL, true);
  }
  if (window.IsChecked(IDC_MERGE_HORIZONTAL)) {
    RunHandler(IDC_MERGE_HORIZONTAL);
  } else if (window.IsChecked(IDC_MERGE_VERTICAL)) {
    RunHandler(IDC_MERGE_VERTICAL);
  }
  RunHandler(IDC_MERGE);

  devices_.RefreshSecondaryCamera(restoreSelections);
  window.SetChecked(IDC_SECONDARY_MERGE, saved.Webcam.isMerge);

  if (restoreSelections) {
    window.SetChecked(IDC_WATERMARK, saved.WaterMark.isEnable);
    merges_.Restore(saved);
    watermark_.Restore(saved);
  }
  // After a device change the check box may differ from the saved value: the
  // settings button follows the check box, as the watermark sent does.
  const bool watermarkOn = window.IsChecked(IDC_WATERMARK);
  watermark_.ApplyEnableState(watermarkOn);
  RunHandler(IDC_WATERMARK);

  ApplyDependentEnableStates(watermarkOn);
}

void CTessivueDlg::ApplyDependentEnableStates(bool watermarkOn) {
  options_.ApplyCropLock();
  const bool locked = options_.IsCropLocked();
  merges_.ApplyEnableStates(locked);
  watermark_.ApplyEnableState(watermarkOn);
  devices_.ApplySecondaryEnableStates(locked);
}

void CTessivueDlg::OnDeviceChange() {
  // The tables the refresh needs exist only once the start-up has built
  // them; a notification before the end of the start-up waits for it.
  if (!startUpComplete_) {
    deviceChangePending_ = true;
    return;
  }
  deviceChangePending_ = false;
  autoCapture_.BeforeDeviceChange();
  (void)camera_.camStopCameraLib();
  (void)camera_.camUpdateCameraLib();
  devices_.ForgetOpenDevices();
  KeepShownChoices();
  RefreshControls(false);
  autoCapture_.AfterDeviceChange();
}

void CTessivueDlg::KeepShownChoices() {
  // The refresh after a device change puts the unit, the auto-capture mode
  // and the secondary merge back from the record; the record takes what
  // these controls show now, so that the user's choices stay on screen.
  for (int i = 0; i < settings::kSettingsControlFieldCount; ++i) {
    const settings::SettingsControlField& field = settings::kSettingsControlFields[i];
    if (field.controlId != IDC_UNIT && field.controlId != IDC_AUTO_CAPTURE_MODE &&
        field.controlId != IDC_SECONDARY_MERGE) {
      continue;
    }
    const int value = field.value == settings::ControlValue::Check
                          ? (Controls().IsChecked(field.controlId) ? 1 : 0)
                          : Controls().Selection(field.controlId);
    settings::StoreControlValue(field, value, settings_);
  }
}

void CTessivueDlg::OnDestroy() {
  // The data source hears that the session ends while the camera is still open.
  link_.Disconnect();
  // The pictures deleted from the list cannot be brought back any more.
  thumbnails_.DeleteSetAsideFiles();
  (void)camera_.camStopAutoCapture(MainDeviceIndex());
  callbacks_.EndAutoCapture();
  (void)camera_.camUnInitCameraLib();
  callbacks_.ClearDeviceChangeHandler();
  CollectAndSaveSessionSettings();
  merges_.DestroyPreview();
  devices_.DestroyMainPreviewHost();
  devices_.DestroySecondaryPreviewHost();
}
