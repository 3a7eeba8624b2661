#include "capturewindow/CTessivueDlg.h"

#include <cstring>

#include "dialogs/CAboutDlg.h"
#include "resource.h"

CTessivueDlg* g_TessivueDlg = nullptr;

namespace {

const char16_t kConnectFailedMessage[] =
    u"Prismel can't find TwainDS or missing configuration file.";

// Colour-mode list index for a TWAIN pixel type.
int ColorModeIndexForPixelType(int32_t pixelType) {
  switch (pixelType) {
    case 0: return 3;  // black and white
    case 1: return 1;  // grey
    default: return 0; // colour
  }
}

constexpr int kUnitDpiIndex = 1;
constexpr int kCropModeSingleIndex = 1;

}  // namespace

CTessivueDlg::CTessivueDlg(platform::Platform& platform) : platform_(platform), link_(platform) {
  g_TessivueDlg = this;
}

CTessivueDlg::~CTessivueDlg() {
  if (g_TessivueDlg == this) g_TessivueDlg = nullptr;
}

int CTessivueDlg::DoModal() { return platform_.ui.RunModal(IDD_CAPTURE_WINDOW, *this, nullptr); }

bool CTessivueDlg::OnInitDialog() {
  // The start-up ends by connecting the data-source link; only a connected
  // window counts as started.
  if (link_.Connect(this) == 0) {
    platform_.ui.ShowMessageBox(GetWindow(), kConnectFailedMessage);
    link_.Disconnect();
    OnCancel();
    return false;
  }
  Window().Show(true);
  Window().Enable(IDC_EXIT, false);
  startUpComplete_ = true;
  return true;
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
  // The data source hears that the session ends before anything is torn down.
  link_.Disconnect();
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
    default: break;
  }
}

void CTessivueDlg::OnClicked(int /*controlId*/) {
  // The buttons' actions arrive with the capture, preview and option work.
}

// The option handlers send the new choice to the camera library; they arrive
// with the camera session. Until then a selection only changes the control.
void CTessivueDlg::OnColorModeChange() {}
void CTessivueDlg::OnCropModeChange() {}
void CTessivueDlg::OnUnitChange() {}
void CTessivueDlg::OnRotationChange() {}
