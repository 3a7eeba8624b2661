#include "capture/CapturePipeline.h"

#include "capture/WorkFolder.h"
#include "resource.h"

namespace capture {
namespace {

using localisation::UiText;

constexpr int kNoUiAttempts = 7;
constexpr uint32_t kNoUiRetryPauseMs = 500;
constexpr int kCropModeMultiple = 2;
const char16_t kCaptureFailedMessage[] = u"Capture Failed.";

// The parts of a ';'-separated list; the text after the last ';' is one
// more part, even when empty.
std::vector<std::string> SplitAtSemicolons(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t semicolon = text.find(';'); semicolon != std::string::npos;
       semicolon = text.find(';', start)) {
    parts.push_back(text.substr(start, semicolon - start));
    start = semicolon + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace

CapturePipeline::CapturePipeline(CaptureContext& context, CImageListCtrl& thumbnails)
    : context_(context), thumbnails_(thumbnails) {}

void CapturePipeline::PrepareWorkFolder() {
  workFolder_ = RecreateWorkFolder(context_.platform.os, context_.camera);
}

std::optional<CaptureNames> CapturePipeline::NamesForThisCapture(const std::string& extension) {
  // Without the work folder a name would land next to the drive's root.
  std::optional<CaptureNames> names;
  if (workFolder_) {
    platform::Os& os = context_.platform.os;
    names = FreeCaptureNames(*workFolder_, os.TickCount(), extension,
                             [&os](const std::string& path) {
                               return os.FileExists(os.AnsiToWide(path));
                             });
  }
  if (!names) context_.ShowMessage(UiText::Error);
  return names;
}

int32_t CapturePipeline::CaptureToFile(int device, std::string& nameBuffer) {
  camera::CameraLibrary& camera = context_.camera;
  int32_t result = camera.camCaptureImageFile(device, nameBuffer.data());
  const bool noUi = context_.link.UiMode() == kUiModeNoUi;
  for (int attempt = 1; result != 0 && noUi && attempt < kNoUiAttempts; ++attempt) {
    context_.platform.os.Sleep(kNoUiRetryPauseMs);
    result = camera.camCaptureImageFile(device, nameBuffer.data());
  }
  if (result != 0 && noUi) {
    context_.ShowMessage(kCaptureFailedMessage);
    // Whatever was captured so far reaches the data source.
    context_.window.RunHandler(IDC_EXIT);
  }
  return result;
}

void CapturePipeline::Publish(const std::string& path) {
  currentFile_ = context_.platform.os.AnsiToWide(path);
  (void)thumbnails_.AddImage(currentFile_);
  (void)context_.link.TransferFile(currentFile_);
}

std::optional<std::vector<std::string>> CapturePipeline::CropFiles(
    const std::string& nameBuffer) const {
  if (context_.Controls().Selection(IDC_CROP_MODE) != kCropModeMultiple) return std::nullopt;
  const std::vector<std::string> parts = SplitAtSemicolons(BufferText(nameBuffer));
  if (parts.size() < 2) return std::nullopt;
  // An empty part (a list that ends with ';') names no file.
  std::vector<std::string> files;
  for (const std::string& part : parts) {
    if (!part.empty()) files.push_back(part);
  }
  return files;
}

void CapturePipeline::CaptureImage() {
  context_.window.RefreshWatermarkTimeStamp();
  const std::optional<CaptureNames> names = NamesForThisCapture(ExtensionOf(0));
  if (!names) return;
  std::string mainBuffer = NameBuffer(names->main);
  const int32_t mainResult = CaptureToFile(context_.window.MainDeviceIndex(), mainBuffer);

  int32_t secondaryResult = -1;
  const int secondary = context_.window.SecondaryDeviceIndex();
  if (context_.Controls().IsChecked(IDC_SECONDARY_CAMERA) && secondary != -1) {
    std::string secondaryBuffer = NameBuffer(names->secondary);
    secondaryResult = CaptureToFile(secondary, secondaryBuffer);
  }

  if (auto cropFiles = CropFiles(mainBuffer)) {
    for (const std::string& file : *cropFiles) Publish(file);
    return;
  }
  // A multiple crop that wrote one file names it in the buffer.
  const bool multipleCrop = context_.Controls().Selection(IDC_CROP_MODE) == kCropModeMultiple;
  const std::string mainName = multipleCrop ? BufferText(mainBuffer) : names->main;
  if (mainResult == 0) Publish(mainName);
  if (secondaryResult == 0) Publish(names->secondary);
}

void CapturePipeline::CaptureSecondaryImage() {
  const int format = context_.Controls().Selection(IDC_FILE_FORMAT);
  const std::optional<CaptureNames> names = NamesForThisCapture(ExtensionOf(format));
  if (!names) return;
  std::string buffer = NameBuffer(names->secondary);
  if (CaptureToFile(context_.window.SecondaryDeviceIndex(), buffer) != 0) return;
  // The data source hears of this file before the list shows it.
  currentFile_ = context_.platform.os.AnsiToWide(names->secondary);
  (void)context_.link.TransferFile(currentFile_);
  (void)thumbnails_.AddImage(currentFile_);
}

}  // namespace capture
