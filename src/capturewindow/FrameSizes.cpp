#include "capturewindow/FrameSizes.h"

#include "resource.h"

namespace capturewindow {
namespace {

using localisation::UiText;

bool IsStale(const platform::Window& window, int controlId, int selection,
             const std::vector<ResolutionEntry>& rows) {
  return selection < 0 || selection >= static_cast<int>(rows.size()) ||
         window.ItemCount(controlId) != static_cast<int>(rows.size());
}

}  // namespace

FrameSizes::FrameSizes(CaptureContext& context) : context_(context) {}

void FrameSizes::BuildTables() {
  resolutionLabels_ = MakeResolutionLabelTable();
  dpiList_ = MakeDpiList();
}

void FrameSizes::KeepNativeRecords(int count) {
  if (count > static_cast<int>(nativeDpiRecords_.size())) nativeDpiRecords_.resize(count);
}

const NativeDpiRecord* FrameSizes::NativeRecord(int device) const {
  if (device < 0 || device >= static_cast<int>(nativeDpiRecords_.size())) return nullptr;
  return &nativeDpiRecords_[device];
}

void FrameSizes::ShowUnitsFor(int device) {
  platform::Window& window = context_.Controls();
  window.ClearItems(IDC_UNIT);
  window.InsertItem(IDC_UNIT, kUnitPixels, context_.Text(UiText::Resolution));
  window.SetSelection(IDC_UNIT, kUnitPixels);
  window.SetText(IDC_FRAME_SIZE_LABEL, context_.Text(UiText::Pix));
  ReadNativeDpi(device);
  const NativeDpiRecord* native = NativeRecord(device);
  if (native != nullptr && OffersDpiUnit(*native)) {
    window.InsertItem(IDC_UNIT, kUnitDpi, context_.Text(UiText::DPI));
    window.SetSelection(IDC_UNIT, kUnitDpi);
    window.SetText(IDC_FRAME_SIZE_LABEL, context_.Text(UiText::Pix));
  }
}

void FrameSizes::ReadNativeDpi(int device) {
  if (device < 0 || device >= static_cast<int>(nativeDpiRecords_.size())) return;
  // A value the library does not deliver stays 0, which offers no DPI rows,
  // rather than one read from an earlier camera at this index.
  NativeDpiRecord& record = nativeDpiRecords_[device];
  record = NativeDpiRecord{};
  camera::CameraLibrary& camera = context_.camera;
  (void)camera.camSetImageDPI(device, 0, 0);
  int32_t format = 0, width = 0, height = 0;
  if (camera.camGetCurResolution(device, &format, &width, &height) == 0) {
    record.width = width;
    record.height = height;
  }
  int32_t dpiX = 0, dpiY = 0;
  if (camera.camGetImageDPI(device, &dpiX, &dpiY) == 0) {
    record.horizontalDpi = dpiX;
    record.verticalDpi = dpiY;
  }
}

void FrameSizes::ApplyFlags(int controlId, UiText key) {
  const localisation::UiTextEntry& entry = context_.texts[key];
  platform::Window& window = context_.Controls();
  window.Enable(controlId, entry.IsEnable != 0);
  window.ShowControl(controlId, entry.IsShow != 0);
}

void FrameSizes::FillVideoFormats() {
  platform::Window& window = context_.Controls();
  camera::CameraLibrary& camera = context_.camera;
  const int device = context_.window.MainDeviceIndex();
  int32_t current = -1, width = 0, height = 0;
  if (camera.camGetCurResolution(device, &current, &width, &height) != 0) current = -1;

  // The list shows only together with its label: once the window has hidden
  // both for good, another camera does not bring the list back alone.
  const bool labelShown = window.IsControlVisible(IDC_MEDIA_LABEL);
  ApplyFlags(IDC_MEDIA_TYPE, UiText::Media);
  if (!labelShown) window.ShowControl(IDC_MEDIA_TYPE, false);

  window.ClearItems(IDC_MEDIA_TYPE);
  int32_t reported = 0;
  (void)camera.camGetMediaTypeCount(device, &reported);
  const int count = PlausibleCount(reported);
  for (int i = 0; i < count; ++i) {
    const char* name = camera.camGetMediaTypeName(device, i);
    window.InsertItem(IDC_MEDIA_TYPE, i, context_.platform.os.AnsiToWide(name ? name : ""));
  }
  window.SetSelection(IDC_MEDIA_TYPE, current);
}

std::vector<ResolutionEntry> FrameSizes::ReadMainSizes(int mediaType, int count) {
  camera::CameraLibrary& camera = context_.camera;
  const int device = context_.window.MainDeviceIndex();
  std::vector<ResolutionEntry> sizes;
  for (int i = 0; i < count; ++i) {
    int32_t width = 0, height = 0;
    // A size the library cannot tell is no size to offer.
    if (camera.camGetResolution(device, mediaType, i, &width, &height) != 0) continue;
    if (width <= 0 || height <= 0) continue;
    ResolutionEntry entry;
    entry.width = width;
    entry.height = height;
    entry.index = i;
    entry.mediaType = mediaType;
    sizes.push_back(entry);
  }
  return sizes;
}

void FrameSizes::FillResolutions() {
  platform::Window& window = context_.Controls();
  const settings::SessionSettings& saved = context_.settings;
  const int device = context_.window.MainDeviceIndex();
  const int unit = window.Selection(IDC_UNIT);
  const int mediaType = saved.MediaType < 0 ? 0 : saved.MediaType;

  resolutionRows_.clear();
  int32_t reported = 0;
  (void)context_.camera.camGetResolutionCount(device, mediaType, &reported);
  const int count = PlausibleCount(reported);
  if (count == 0) {
    window.ClearItems(IDC_FRAME_SIZE);
    return;
  }
  const std::vector<ResolutionEntry> sizes = ReadMainSizes(mediaType, count);
  if (unit == kUnitPixels) {
    (void)context_.camera.camSetImageDPI(device, 0, 0);
    resolutionRows_ = LabelAndFilter(sizes, resolutionLabels_);
  } else if (unit == kUnitDpi) {
    const NativeDpiRecord* native = NativeRecord(device);
    resolutionRows_ = DpiRows(sizes, dpiList_, native ? *native : NativeDpiRecord{});
  } else {
    resolutionRows_ = sizes;
  }

  ApplyFlags(IDC_FRAME_SIZE, UiText::Resolution);
  window.ClearItems(IDC_FRAME_SIZE);
  for (size_t i = 0; i < resolutionRows_.size(); ++i) {
    window.InsertItem(IDC_FRAME_SIZE, static_cast<int>(i), RowText(resolutionRows_[i], unit));
  }

  RowChoice choice;
  if (unit == kUnitPixels) {
    choice = ChoosePixelRow(resolutionRows_, saved.DPI.MainWidth, saved.DPI.MainHeight);
  } else if (unit == kUnitDpi) {
    choice = ChooseDpiRow(resolutionRows_, saved.DPI.ImageDPI, saved.DPI.MainWidth,
                          saved.DPI.MainHeight);
  }
  window.SetSelection(IDC_FRAME_SIZE, choice.row);
  ApplyChoice(choice);
}

void FrameSizes::ApplyChoice(const RowChoice& choice) {
  if (choice.row < 0) return;
  const ResolutionEntry& row = resolutionRows_[choice.row];
  const int device = context_.window.MainDeviceIndex();
  if (choice.setDpi) (void)context_.camera.camSetImageDPI(device, row.dpi, row.dpi);
  if (choice.setSize) (void)context_.camera.camSetResolution(device, row.width, row.height);
}

void FrameSizes::OnResolutionChange() {
  platform::Window& window = context_.Controls();
  const int selection = window.Selection(IDC_FRAME_SIZE);
  // A selection that no longer names a row of the list does nothing.
  if (IsStale(window, IDC_FRAME_SIZE, selection, resolutionRows_)) return;
  const ResolutionEntry row = resolutionRows_[selection];
  camera::CameraLibrary& camera = context_.camera;
  settings::SessionSettings& saved = context_.settings;
  const int device = context_.window.MainDeviceIndex();

  int32_t format = 0, width = 0, height = 0;
  (void)camera.camGetCurResolution(device, &format, &width, &height);
  if (width != row.width || height != row.height) {
    const int32_t result = camera.camSetResolution(device, row.width, row.height);
    saved.DPI.MainWidth = row.width;
    saved.DPI.MainHeight = row.height;
    if (result != 0) context_.ShowMessage(UiText::Error);
  }
  if (window.Selection(IDC_UNIT) == kUnitDpi) {
    (void)camera.camSetImageDPI(device, row.dpi, row.dpi);
    saved.DPI.ImageDPI = row.dpi;
  }
}

void FrameSizes::OnVideoFormatChange() {
  const int format = context_.Controls().Selection(IDC_MEDIA_TYPE);
  if (format < 0) return;
  const int32_t result = context_.camera.camSetMediaType(context_.window.MainDeviceIndex(), format);
  if (result != 0) context_.ShowMessage(UiText::Error);
  // The choice is kept even when the camera refused it.
  context_.settings.MediaType = format;
  FillResolutions();
}

void FrameSizes::OnUnitChange() { FillResolutions(); }

void FrameSizes::FillSecondaryResolutions() {
  platform::Window& window = context_.Controls();
  camera::CameraLibrary& camera = context_.camera;
  const int device = context_.window.SecondaryDeviceIndex();
  int32_t format = 0, currentWidth = 0, currentHeight = 0;
  (void)camera.camGetCurResolution(device, &format, &currentWidth, &currentHeight);
  if (format < 0) format = 0;

  window.ClearItems(IDC_SECONDARY_FRAME_SIZE);
  secondaryRows_.clear();
  secondaryFormat_ = format;
  int32_t reported = 0;
  (void)camera.camGetResolutionCount(device, format, &reported);
  const int count = PlausibleCount(reported);
  for (int i = 0; i < count; ++i) {
    int32_t width = 0, height = 0;
    if (camera.camGetResolution(device, format, i, &width, &height) != 0) continue;
    if (width <= 0 || height <= 0) continue;
    ResolutionEntry row;
    row.width = width;
    row.height = height;
    row.index = i;
    row.mediaType = format;
    window.InsertItem(IDC_SECONDARY_FRAME_SIZE, static_cast<int>(secondaryRows_.size()),
                      SecondaryRowText(width, height));
    secondaryRows_.push_back(row);
  }
  window.SetSelection(IDC_SECONDARY_FRAME_SIZE,
                      ChooseSecondaryRow(secondaryRows_, currentWidth, currentHeight));
}

void FrameSizes::OnSecondaryResolutionChange() {
  platform::Window& window = context_.Controls();
  const int selection = window.Selection(IDC_SECONDARY_FRAME_SIZE);
  if (IsStale(window, IDC_SECONDARY_FRAME_SIZE, selection, secondaryRows_)) return;
  camera::CameraLibrary& camera = context_.camera;
  const int device = context_.window.SecondaryDeviceIndex();

  // The size is asked of the library again, as it lists it now.
  int32_t width = 0, height = 0;
  if (camera.camGetResolution(device, secondaryFormat_, secondaryRows_[selection].index, &width,
                              &height) != 0 ||
      width <= 0 || height <= 0) {
    context_.ShowMessage(UiText::Error);
    return;
  }
  const int32_t result = camera.camSetResolution(device, width, height);
  context_.settings.Webcam.WebcamWidth = width;
  context_.settings.Webcam.WebcamHeight = height;
  if (result != 0) context_.ShowMessage(UiText::Error);
}

}  // namespace capturewindow
