#include "capturewindow/DeviceSession.h"

#include "resource.h"

namespace capturewindow {
namespace {

using localisation::UiText;

constexpr int32_t kFallbackWidth = 640;
constexpr int32_t kFallbackHeight = 480;

}  // namespace

DeviceSession::DeviceSession(CaptureContext& context, FrameSizes& frameSizes)
    : context_(context), frameSizes_(frameSizes) {}

void DeviceSession::CreateMainPreviewHost(const platform::Rect& area) {
  platform::Window& window = context_.Controls();
  if (!mainPreviewHost_.Create(context_.platform.ui, IDD_MAIN_PREVIEW_HOST, &window)) return;
  platform::Window* host = mainPreviewHost_.Window();
  host->SetParentWindow(&window);
  host->MoveTo(area);
  host->Show(true);
}

void DeviceSession::CreateSecondaryPreviewHost(const platform::Rect& area) {
  platform::Window& window = context_.Controls();
  if (!secondaryPreviewHost_.Create(context_.platform.ui, IDD_SECONDARY_PREVIEW_HOST, &window)) {
    return;
  }
  platform::Window* host = secondaryPreviewHost_.Window();
  host->SetParentWindow(&window);
  const int left = area.left + (area.Width() / 3) * 2;
  host->MoveTo({left, area.top, left + area.Width() / 3, area.top + area.Height() / 3});
  host->Show(false);
}

int DeviceSession::ListDevices() {
  platform::Window& window = context_.Controls();
  int32_t count = 0;
  (void)context_.camera.camGetDevCount(&count);
  if (count <= 0) window.Show(true);

  window.ClearItems(IDC_DEVICE);
  window.ClearItems(IDC_SECONDARY_DEVICE);
  for (int32_t i = 0; i < count; ++i) {
    const char* name = context_.camera.camGetDevName(i);
    const std::u16string wideName = context_.platform.os.AnsiToWide(name != nullptr ? name : "");
    window.InsertItem(IDC_DEVICE, i, wideName);
    window.InsertItem(IDC_SECONDARY_DEVICE, i, wideName);
    frameSizes_.AppendNativeRecord();
  }
  return count > 0 ? count : 0;
}

void DeviceSession::OnMainDeviceChange() {
  platform::Window& window = context_.Controls();
  const int selection = window.Selection(IDC_DEVICE);
  if (selection < 0) return;
  if (selection == secondaryDeviceIndex_ || selection == mainDeviceIndex_) {
    context_.ShowMessage(UiText::CamUsed);
    window.SetSelection(IDC_DEVICE, mainDeviceIndex_);
    return;
  }
  camera::CameraLibrary& camera = context_.camera;
  (void)camera.camCloseDev(mainDeviceIndex_);
  mainDeviceIndex_ = selection;

  settings::SessionSettings& saved = context_.settings;
  if (saved.MediaType < 0) saved.MediaType = 0;
  int32_t result =
      camera.camOpenDev(selection, saved.MediaType, saved.DPI.MainWidth, saved.DPI.MainHeight);
  if (result != 0) result = camera.camOpenDev(selection, 0, kFallbackWidth, kFallbackHeight);
  platform::Window* host = mainPreviewHost_.Window();
  (void)camera.camSetPreviewWindow(selection, host != nullptr ? host->NativeHandle() : 0);
  if (result != 0) {
    context_.ShowMessage(UiText::OpenFailed);
    // Until the data source has asked for its own user interface, a failed
    // camera is shown to the user.
    if (context_.link.UiMode() != kUiModeShowUi) window.Show(true);
  }
  frameSizes_.ShowUnitsFor(selection);
}

void DeviceSession::ForgetOpenDevices() {
  mainDeviceIndex_ = -1;
  secondaryDeviceIndex_ = -1;
}

void DeviceSession::ApplySecondaryEnableStates(bool cropLocked) {
  platform::Window& window = context_.Controls();
  const bool secondaryOn = window.IsChecked(IDC_SECONDARY_CAMERA);
  for (int id :
       {IDC_SECONDARY_MERGE, IDC_SECONDARY_DEVICE, IDC_SECONDARY_FRAME_SIZE, IDC_MERGE_SETTINGS}) {
    window.Enable(id, secondaryOn);
  }
  const bool twoCameras = window.ItemCount(IDC_DEVICE) >= 2;
  window.Enable(IDC_SECONDARY_MERGE, twoCameras && secondaryOn && !cropLocked);
}

}  // namespace capturewindow
