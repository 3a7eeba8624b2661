#include "capturewindow/CTessivueDlg.h"

#include <cstring>

#include "dialogs/CAboutDlg.h"
#include "localisation/UiTextTable.h"
#include "resource.h"

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

CTessivueDlg::CTessivueDlg(platform::Platform& platform)
    : platform_(platform),
      link_(platform),
      camera_(platform.os),
      callbacks_(platform.ui),
      thumbnails_(platform, localisation::ProcessUiTextTable()) {
  g_TessivueDlg = this;
}

CTessivueDlg::~CTessivueDlg() {
  if (g_TessivueDlg == this) g_TessivueDlg = nullptr;
}

int CTessivueDlg::DoModal() { return platform_.ui.RunModal(IDD_CAPTURE_WINDOW, *this, nullptr); }

std::u16string CTessivueDlg::Text(const char* key) const {
  return localisation::ProcessUiTextTable().At(key).text;
}

void CTessivueDlg::ApplyFlags(int controlId, const char* key) {
  const localisation::UiTextEntry& entry = localisation::ProcessUiTextTable().At(key);
  Window().Enable(controlId, entry.IsEnable != 0);
  // The flag is a show command from a file: anything but 0 shows, so that a
  // stray value cannot maximise or minimise a control.
  Window().ShowControl(controlId, entry.IsShow != 0);
}

void CTessivueDlg::ShowMessage(const std::u16string& text) {
  platform_.ui.ShowMessageBox(GetWindow(), text);
}

void CTessivueDlg::OnCommand(int controlId, int notifyCode) {
  if (notifyCode == platform::kNotifySelectionChange) {
    OnSelectionChange(controlId);
  } else if (notifyCode == platform::kNotifyClicked) {
    OnClicked(controlId);
  }
}

bool CTessivueDlg::OnSysCommand(uint32_t command) {
  if ((command & 0xFFF0u) != IDM_ABOUTBOX) return false;
  CAboutDlg about;
  (void)platform_.ui.RunModal(IDD_ABOUTBOX, about, GetWindow());
  return true;
}

void CTessivueDlg::OnDestroy() {
  // The data source hears that the session ends while the camera is still open.
  link_.Disconnect();
  (void)camera_.camStopAutoCapture(mainDeviceIndex_);
  callbacks_.EndAutoCapture();
  (void)camera_.camUnInitCameraLib();
  callbacks_.ClearDeviceChangeHandler();
  CollectAndSaveSessionSettings();
  mergePreview_.Destroy();
  mainPreviewHost_.Destroy();
  secondaryPreviewHost_.Destroy();
}

// Keeps the merge preview over the lower part of the live picture while the
// window moves.
void CTessivueDlg::OnMoving() {
  platform::Window* preview = mergePreview_.Window();
  if (preview == nullptr || !preview->IsVisible()) return;
  const platform::Rect area = Window().ControlScreenRect(IDC_PREVIEW_AREA);
  const int width = area.Width(), height = area.Height();
  if (Window().IsChecked(IDC_MERGE_VERTICAL)) {
    preview->MoveTo({area.left + 2, area.top + height / 2, area.left + 2 + width / 3,
                     area.top + height / 2 + height / 2});
  } else if (Window().IsChecked(IDC_MERGE_HORIZONTAL)) {
    preview->MoveTo({area.left + 2, area.top + (height / 3) * 2, area.left + 2 + width / 2,
                     area.top + (height / 3) * 2 + height / 3});
  }
}

void CTessivueDlg::OnCopyData(uint32_t kind, const void* data, uint32_t size) {
  // Only the receiving window acts on the data source's records; a text
  // message that reaches this window goes to the controller, which ignores it.
  if (kind != kDSKindTextMessage || data == nullptr || size < sizeof(DSMessageRecord)) return;
  DSMessageRecord record;
  std::memcpy(&record, data, sizeof record);
  (void)link_.OnDSMessage(record);
}

int CTessivueDlg::ShowTwainWindow(int /*unused*/) {
  Window().Show(true);
  return 1;
}

int CTessivueDlg::CaptureOne() {
  OnClicked(IDC_CAPTURE);
  return 1;
}

int CTessivueDlg::EnableMergeOption(int flag) {
  Window().Enable(IDC_MERGE, flag == 0);
  return 1;
}

int CTessivueDlg::CloseTwainWindow() {
  OnCancel();
  return 1;
}

void CTessivueDlg::ApplyDSSettings(const DSScanSettings& settings) {
  if (settings.autoCrop != 0) (void)SelectAndRun(IDC_CROP_MODE, kCropModeSingleIndex);

  // The resolution comes from another process: only a value that has a
  // whole DPI is used; otherwise the current DPI stays.
  if (Window().ItemCount(IDC_UNIT) > kUnitDpiIndex) {
    Window().SetSelection(IDC_UNIT, kUnitDpiIndex);
    if (auto dpi = ResolutionToDpi(settings.resolution)) imageDpi_ = *dpi;
    OnUnitChange();
  }

  (void)SelectAndRun(IDC_COLOR_MODE, ColorModeIndexForPixelType(settings.pixelType));
  // A rotation the list does not offer leaves the rotation as it is.
  (void)SelectAndRun(IDC_ROTATE, settings.rotation);
}

bool CTessivueDlg::SelectAndRun(int controlId, int index) {
  if (index < 0 || index >= Window().ItemCount(controlId)) return false;
  Window().SetSelection(controlId, index);
  OnSelectionChange(controlId);
  return true;
}

void CTessivueDlg::CheckAndRun(int controlId, bool checked) {
  Window().SetChecked(controlId, checked);
  OnClicked(controlId);
}

void CTessivueDlg::OnSelectionChange(int controlId) {
  switch (controlId) {
    case IDC_COLOR_MODE: OnColorModeChange(); break;
    case IDC_CROP_MODE: OnCropModeChange(); break;
    case IDC_UNIT: OnUnitChange(); break;
    case IDC_ROTATE: OnRotationChange(); break;
    case IDC_AUTO_CAPTURE_MODE: OnAutoCaptureModeChange(); break;
    case IDC_DEVICE: OnMainDeviceChange(); break;
    case IDC_LANGUAGE: OnLanguageChange(); break;
    default: break;
  }
}

void CTessivueDlg::OnClicked(int controlId) {
  switch (controlId) {
    case IDC_SAVE: CollectAndSaveSessionSettings(); break;
    case IDC_MERGE: OnMergeCheck(); break;
    case IDC_MERGE_HORIZONTAL:
    case IDC_MERGE_VERTICAL: OnMergeDirection(); break;
    case IDC_SECONDARY_CAMERA: OnSecondaryCameraCheck(); break;
    case IDC_WATERMARK: OnWatermarkCheck(); break;
    case IDC_HAND_CROP: OnHandCropCheck(); break;
    case IDC_FILL_BORDER: OnFillBorderCheck(); break;
    default: break;  // capture, preview and option buttons arrive with their work
  }
}
