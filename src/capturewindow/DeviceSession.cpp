#include "capturewindow/DeviceSession.h"

#include "capturewindow/FrameSizeRows.h"
#include "resource.h"

namespace capturewindow {
namespace {

using localisation::UiText;

constexpr int32_t kFallbackWidth = 640;
constexpr int32_t kFallbackHeight = 480;

// The secondary camera's picture: the top-right third of the live picture.
platform::Rect SecondaryHostPlace(const platform::Rect& area) {
  const int left = area.left + (area.Width() / 3) * 2;
  return {left, area.top, left + area.Width() / 3, area.top + area.Height() / 3};
}

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
  host->MoveTo(SecondaryHostPlace(area));
  host->Show(false);
}

void DeviceSession::PlacePreviewHosts(const platform::Rect& area) {
  if (platform::Window* host = mainPreviewHost_.Window()) host->MoveTo(area);
  if (platform::Window* host = secondaryPreviewHost_.Window()) {
    host->MoveTo(SecondaryHostPlace(area));
  }
}

int32_t DeviceSession::HandleOf(const ChildWindow& host) {
  const platform::Window* window = host.Window();
  return window != nullptr ? window->NativeHandle() : 0;
}

int DeviceSession::ListDevices() {
  platform::Window& window = context_.Controls();
  int32_t reported = 0;
  (void)context_.camera.camGetDevCount(&reported);
  const int count = PlausibleCount(reported);
  if (count == 0) window.Show(true);

  window.ClearItems(IDC_DEVICE);
  window.ClearItems(IDC_SECONDARY_DEVICE);
  for (int i = 0; i < count; ++i) {
    const char* name = context_.camera.camGetDevName(i);
    const std::u16string wideName = context_.platform.os.AnsiToWide(name != nullptr ? name : "");
    window.InsertItem(IDC_DEVICE, i, wideName);
    window.InsertItem(IDC_SECONDARY_DEVICE, i, wideName);
  }
  frameSizes_.KeepNativeRecords(count);
  return count;
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
  (void)camera.camSetPreviewWindow(selection, HandleOf(mainPreviewHost_));
  if (result != 0) {
    context_.ShowMessage(UiText::OpenFailed);
    // Until the data source has asked for its own user interface, a failed
    // camera is shown to the user.
    if (context_.link.UiMode() != kUiModeShowUi) window.Show(true);
  }
  frameSizes_.ShowUnitsFor(selection);
  frameSizes_.FillVideoFormats();
  frameSizes_.FillResolutions();
}

void DeviceSession::OnSecondaryCameraToggle() {
  platform::Window& window = context_.Controls();
  if (!window.IsChecked(IDC_SECONDARY_CAMERA)) {
    window.ShowControl(IDC_SECONDARY_CAPTURE, false);
    (void)context_.camera.camCloseDev(secondaryDeviceIndex_);
    (void)context_.camera.camSetPreviewWindow(secondaryDeviceIndex_, 0);
    if (platform::Window* host = secondaryPreviewHost_.Window()) host->Show(false);
    secondaryDeviceIndex_ = -1;
    for (int id : {IDC_SECONDARY_DEVICE, IDC_SECONDARY_FRAME_SIZE, IDC_MERGE_SETTINGS,
                   IDC_SECONDARY_MERGE}) {
      window.Enable(id, false);
    }
    return;
  }

  window.ShowControl(IDC_SECONDARY_CAPTURE, true);
  if (platform::Window* host = secondaryPreviewHost_.Window()) host->Show(true);
  const int count = window.ItemCount(IDC_SECONDARY_DEVICE);
  for (int i = 0; i < count; ++i) {
    if (i == mainDeviceIndex_) continue;
    (void)context_.window.SelectAndRun(IDC_SECONDARY_DEVICE, i);
    break;
  }
  window.Enable(IDC_SECONDARY_DEVICE, true);
  window.Enable(IDC_SECONDARY_FRAME_SIZE, true);
  window.Enable(IDC_SECONDARY_MERGE, true);
  window.Enable(IDC_MERGE_SETTINGS, window.IsChecked(IDC_SECONDARY_MERGE));
}

void DeviceSession::OnSecondaryDeviceChange() {
  platform::Window& window = context_.Controls();
  const int selection = window.Selection(IDC_SECONDARY_DEVICE);
  if (selection < 0) return;
  if (selection == secondaryDeviceIndex_ || selection == mainDeviceIndex_) {
    context_.ShowMessage(UiText::CamUsed);
    window.SetSelection(IDC_SECONDARY_DEVICE, secondaryDeviceIndex_);
    return;
  }
  camera::CameraLibrary& camera = context_.camera;
  (void)camera.camCloseDev(secondaryDeviceIndex_);
  (void)camera.camSetPreviewWindow(secondaryDeviceIndex_, 0);
  secondaryDeviceIndex_ = selection;

  const settings::WebcamSettings& saved = context_.settings.Webcam;
  int32_t result = camera.camOpenDev(selection, 0, saved.WebcamWidth, saved.WebcamHeight);
  // Only a camera that opens at neither size is reported: a saved size the
  // camera lacks (none is saved before the first choice) is no failure.
  if (result != 0) result = camera.camOpenDev(selection, 0, kFallbackWidth, kFallbackHeight);
  (void)camera.camSetPreviewWindow(selection, HandleOf(secondaryPreviewHost_));
  if (result != 0) context_.ShowMessage(UiText::OpenFailed);
  frameSizes_.FillSecondaryResolutions();
}

void DeviceSession::RefreshSecondaryCamera(bool restoreSelections) {
  platform::Window& window = context_.Controls();
  // The check box keeps the user's choice while a camera is missing (one
  // was unplugged, or was not plugged in at start-up): when a second camera
  // is back its handler opens it again, and the choice is saved as made.
  if (restoreSelections) {
    window.SetChecked(IDC_SECONDARY_CAMERA, context_.settings.Webcam.isEnable);
  }
  const bool twoCameras = window.ItemCount(IDC_DEVICE) >= 2;
  window.Enable(IDC_SECONDARY_CAMERA, twoCameras);
  if (twoCameras) {
    context_.window.RunHandler(IDC_SECONDARY_CAMERA);
    return;
  }
  // No secondary camera is open (the library's restart closed it, or none
  // was opened): nothing of it is shown.
  window.ShowControl(IDC_SECONDARY_CAPTURE, false);
  if (platform::Window* host = secondaryPreviewHost_.Window()) host->Show(false);
}

void DeviceSession::ForgetOpenDevices() {
  mainDeviceIndex_ = -1;
  secondaryDeviceIndex_ = -1;
}

void DeviceSession::ApplySecondaryEnableStates(bool cropLocked) {
  platform::Window& window = context_.Controls();
  // A check kept while a camera is missing enables nothing.
  const bool secondaryOn =
      window.IsChecked(IDC_SECONDARY_CAMERA) && window.ItemCount(IDC_DEVICE) >= 2;
  for (int id : {IDC_SECONDARY_DEVICE, IDC_SECONDARY_FRAME_SIZE, IDC_MERGE_SETTINGS}) {
    window.Enable(id, secondaryOn);
  }
  window.Enable(IDC_SECONDARY_MERGE, secondaryOn && !cropLocked);
}

}  // namespace capturewindow
