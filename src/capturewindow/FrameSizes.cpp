#include "capturewindow/FrameSizes.h"

#include "resource.h"

namespace capturewindow {
namespace {

using localisation::UiText;

constexpr int32_t kUsualDpi = 96;

}  // namespace

FrameSizes::FrameSizes(CaptureContext& context) : context_(context) {}

void FrameSizes::BuildTables() {
  resolutionLabels_ = MakeResolutionLabelTable();
  dpiList_ = MakeDpiList();
}

void FrameSizes::AppendNativeRecord() { nativeDpiRecords_.push_back(NativeDpiRecord{}); }

const NativeDpiRecord* FrameSizes::NativeRecord(int device) const {
  if (device < 0 || device >= static_cast<int>(nativeDpiRecords_.size())) return nullptr;
  return &nativeDpiRecords_[device];
}

void FrameSizes::ShowUnitsFor(int device) {
  platform::Window& window = context_.Controls();
  window.ClearItems(IDC_UNIT);
  window.InsertItem(IDC_UNIT, 0, context_.Text(UiText::Resolution));
  window.SetSelection(IDC_UNIT, 0);
  window.SetText(IDC_FRAME_SIZE_LABEL, context_.Text(UiText::Pix));
  ReadNativeDpi(device);
  const NativeDpiRecord* native = NativeRecord(device);
  if (native != nullptr && native->horizontalDpi > 0 && native->horizontalDpi != kUsualDpi) {
    window.InsertItem(IDC_UNIT, 1, context_.Text(UiText::DPI));
    window.SetSelection(IDC_UNIT, 1);
    window.SetText(IDC_FRAME_SIZE_LABEL, context_.Text(UiText::Pix));
  }
}

void FrameSizes::ReadNativeDpi(int device) {
  if (device < 0 || device >= static_cast<int>(nativeDpiRecords_.size())) return;
  NativeDpiRecord& record = nativeDpiRecords_[device];
  camera::CameraLibrary& camera = context_.camera;
  (void)camera.camSetImageDPI(device, 0, 0);
  int32_t format = 0;
  (void)camera.camGetCurResolution(device, &format, &record.width, &record.height);
  (void)camera.camGetImageDPI(device, &record.horizontalDpi, &record.verticalDpi);
}

}  // namespace capturewindow
