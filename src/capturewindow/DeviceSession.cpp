// The cameras the library reports: listing them, opening the main camera
// with its live picture, and starting over when a camera comes or goes.
#include "capturewindow/CTessivueDlg.h"
#include "resource.h"
#include "settings/SessionSettings.h"

namespace {

constexpr int32_t kFallbackWidth = 640;
constexpr int32_t kFallbackHeight = 480;
constexpr int32_t kUsualDpi = 96;

}  // namespace

void CTessivueDlg::RefreshControls(bool restoreSelections) {
  settings::SessionSettings& saved = settings::ProcessSessionSettings();
  int32_t count = 0;
  (void)camera_.camGetDevCount(&count);
  if (count <= 0) Window().Show(true);

  Window().ClearItems(IDC_DEVICE);
  Window().ClearItems(IDC_SECONDARY_DEVICE);
  for (int32_t i = 0; i < count; ++i) {
    const char* name = camera_.camGetDevName(i);
    const std::u16string wideName = platform_.os.AnsiToWide(name != nullptr ? name : "");
    Window().InsertItem(IDC_DEVICE, i, wideName);
    Window().InsertItem(IDC_SECONDARY_DEVICE, i, wideName);
    nativeDpiRecords_.push_back(capturewindow::NativeDpiRecord{});
  }

  if (count > 0) {
    (void)SelectAndRun(IDC_DEVICE, 0);
    Window().SetSelection(IDC_UNIT, saved.SizeUnit);
    FillMediaTypeAndResolutionLists();
  }
  RestoreOptionSelections(restoreSelections);

  // One-by-one hand-off is switched on only for the value 1; the Exit action
  // takes the batch path for every other value, so both agree.
  if (saved.ShowUIUpdataOneByOne == 1) link_.SetOneByOne(true);
  Window().SetChecked(IDC_HAND_CROP, saved.HandCut != 0);
  OnHandCropCheck();
  Window().SetChecked(IDC_FILL_BORDER, saved.EdgeBorder != 0);
  OnFillBorderCheck();
}

// Puts the saved choices back on the option controls, each followed by its
// own change handler. After a device change only the choices that the
// refresh itself disturbs are put back.
void CTessivueDlg::RestoreOptionSelections(bool restoreSelections) {
  const settings::SessionSettings& saved = settings::ProcessSessionSettings();
  const int count = Window().ItemCount(IDC_DEVICE);

  if (restoreSelections) {
    Window().SetSelection(IDC_COLOR_MODE, saved.colorType);
    OnColorModeChange();
    Window().SetSelection(IDC_CROP_MODE, saved.cutType);
    OnCropModeChange();
    Window().SetSelection(IDC_FILE_FORMAT, saved.fileType);
    Window().SetSelection(IDC_ROTATE, saved.rotateType);
    OnRotationChange();
  }
  Window().SetSelection(IDC_AUTO_CAPTURE_MODE, saved.autoCaptureType);
  OnAutoCaptureModeChange();

  if (restoreSelections) {
    Window().SetChecked(IDC_MERGE, saved.MergeHV.isEnable);
    if (saved.MergeHV.direction == 1) Window().SetChecked(IDC_MERGE_HORIZONTAL, true);
    if (saved.MergeHV.direction == 2) Window().SetChecked(IDC_MERGE_VERTICAL, true);
  }
  if (Window().IsChecked(IDC_MERGE_HORIZONTAL) || Window().IsChecked(IDC_MERGE_VERTICAL)) {
    OnMergeDirection();
  }
  OnMergeCheck();

  if (count < 2) {
    Window().Enable(IDC_SECONDARY_CAMERA, false);
    Window().ShowControl(IDC_SECONDARY_CAPTURE, false);
  } else {
    Window().Enable(IDC_SECONDARY_CAMERA, true);
    if (restoreSelections) Window().SetChecked(IDC_SECONDARY_CAMERA, saved.Webcam.isEnable);
    OnSecondaryCameraCheck();
  }
  Window().SetChecked(IDC_SECONDARY_MERGE, saved.Webcam.isMerge);
  const bool secondaryOn = Window().IsChecked(IDC_SECONDARY_CAMERA);
  for (int id : {IDC_SECONDARY_MERGE, IDC_SECONDARY_DEVICE, IDC_SECONDARY_FRAME_SIZE,
                 IDC_MERGE_SETTINGS}) {
    Window().Enable(id, secondaryOn);
  }

  if (restoreSelections) {
    Window().SetChecked(IDC_WATERMARK, saved.WaterMark.isEnable);
    mergeType_ = saved.Webcam.MergeType;
    mergePosition_ = saved.Webcam.MergePosition;
  }
  Window().Enable(IDC_WATERMARK_SETTINGS, saved.WaterMark.isEnable);
  OnWatermarkCheck();

  // A stored crop mode of 4 (only a settings file can hold it) locks the
  // options that cannot go with it.
  const bool unlocked = saved.cutType != 4;
  for (int id : {IDC_COLOR_MODE, IDC_ROTATE, IDC_MERGE, IDC_WATERMARK}) {
    Window().Enable(id, unlocked);
  }
  Window().Enable(IDC_CROP_MODE, true);
  const bool mergeOn = Window().IsChecked(IDC_MERGE) && unlocked;
  if (platform::Window* preview = mergePreview_.Window()) preview->Show(mergeOn);
  Window().Enable(IDC_MERGE_HORIZONTAL, mergeOn);
  Window().Enable(IDC_MERGE_VERTICAL, mergeOn);
  Window().Enable(IDC_WATERMARK_SETTINGS, saved.WaterMark.isEnable);
  Window().Enable(IDC_SECONDARY_MERGE, count >= 2 && secondaryOn && unlocked);
}

void CTessivueDlg::OnMainDeviceChange() {
  const int selection = Window().Selection(IDC_DEVICE);
  if (selection < 0) return;
  if (selection == secondaryDeviceIndex_ || selection == mainDeviceIndex_) {
    ShowMessage(Text("CamUsed"));
    Window().SetSelection(IDC_DEVICE, mainDeviceIndex_);
    return;
  }
  (void)camera_.camCloseDev(mainDeviceIndex_);
  mainDeviceIndex_ = selection;

  settings::SessionSettings& saved = settings::ProcessSessionSettings();
  if (saved.MediaType < 0) saved.MediaType = 0;
  int32_t result =
      camera_.camOpenDev(selection, saved.MediaType, saved.DPI.MainWidth, saved.DPI.MainHeight);
  if (result != 0) result = camera_.camOpenDev(selection, 0, kFallbackWidth, kFallbackHeight);
  platform::Window* host = mainPreviewHost_.Window();
  (void)camera_.camSetPreviewWindow(selection, host != nullptr ? host->NativeHandle() : 0);
  if (result != 0) {
    ShowMessage(Text("OpenFailed"));
    // Until the data source has asked for its own user interface, a failed
    // camera is shown to the user.
    if (link_.UiMode() != kUiModeShowUi) Window().Show(true);
  }

  Window().ClearItems(IDC_UNIT);
  Window().InsertItem(IDC_UNIT, 0, Text("Resolution"));
  Window().SetSelection(IDC_UNIT, 0);
  Window().SetText(IDC_FRAME_SIZE_LABEL, Text("Pix"));
  ReadNativeDpi(selection);
  const capturewindow::NativeDpiRecord& native = nativeDpiRecords_[selection];
  if (native.horizontalDpi > 0 && native.horizontalDpi != kUsualDpi) {
    Window().InsertItem(IDC_UNIT, 1, Text("DPI"));
    Window().SetSelection(IDC_UNIT, 1);
    Window().SetText(IDC_FRAME_SIZE_LABEL, Text("Pix"));
  }
  FillMediaTypeAndResolutionLists();
}

// The frame size and DPI the device reports with no DPI override.
void CTessivueDlg::ReadNativeDpi(int device) {
  if (device < 0 || device >= static_cast<int>(nativeDpiRecords_.size())) return;
  capturewindow::NativeDpiRecord& record = nativeDpiRecords_[device];
  (void)camera_.camSetImageDPI(device, 0, 0);
  int32_t format = 0;
  (void)camera_.camGetCurResolution(device, &format, &record.width, &record.height);
  (void)camera_.camGetImageDPI(device, &record.horizontalDpi, &record.verticalDpi);
}

void CTessivueDlg::OnDeviceChange() {
  // The tables the refresh needs exist only once the start-up has built
  // them; a notification before that waits for the end of the start-up.
  if (!tablesBuilt_ || !startUpComplete_) {
    deviceChangePending_ = true;
    return;
  }
  deviceChangePending_ = false;
  (void)camera_.camStopCameraLib();
  (void)camera_.camUpdateCameraLib();
  mainDeviceIndex_ = -1;
  secondaryDeviceIndex_ = -1;
  RefreshControls(false);
}
