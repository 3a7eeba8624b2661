#include "capture/CapturePipeline.h"

#include <utility>

#include "capture/SecondaryMergeInset.h"
#include "capture/WorkFolder.h"
#include "dslink/DSMessageRecord.h"
#include "resource.h"

namespace capture {
namespace {

using localisation::UiText;

constexpr int kNoUiAttempts = 7;
constexpr uint32_t kNoUiRetryPauseMs = 500;
constexpr int kCropModeNone = 0;
constexpr int kCropModeMultiple = 2;
// Where the second picture of a pair goes: right of the first (horizontal)
// or below it (vertical).
constexpr int32_t kPairSideBySide = 4;
constexpr int32_t kPairOneAboveTheOther = 7;
const char16_t kCaptureFailedMessage[] = u"Capture Failed.";

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
    // A deleted picture that can still be brought back keeps its name.
    names = FreeCaptureNames(*workFolder_, os.TickCount(), extension,
                             [&os, this](const std::string& path) {
                               const std::u16string wide = os.AnsiToWide(path);
                               return os.FileExists(wide) || thumbnails_.IsSetAside(wide);
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

bool CapturePipeline::CanHandOver(const std::u16string& path) {
  if (FitsDSMessageRecord(path)) return true;
  context_.ShowMessage(UiText::Error);
  return false;
}

void CapturePipeline::Publish(const std::string& path) {
  // A file the library reported but did not write is never handed over.
  const std::u16string file = context_.platform.os.AnsiToWide(path);
  if (!context_.platform.os.FileExists(file) || !CanHandOver(file)) return;
  currentFile_ = file;
  (void)thumbnails_.AddImage(currentFile_);
  (void)context_.link.TransferFile(currentFile_);
}

void CapturePipeline::CaptureImage(const MergeView& merges) {
  // The window does not answer until the pictures are written, merged and
  // listed, retries included: the wait cursor says so.
  const platform::BusyScope busy(context_.platform.ui);
  context_.window.RefreshWatermarkTimeStamp();
  const std::optional<CaptureNames> names = NamesForThisCapture(ExtensionOf(0));
  if (!names) return;
  std::string mainBuffer = NameBuffer(names->main);
  const int32_t mainResult = CaptureToFile(context_.window.MainDeviceIndex(), mainBuffer);

  platform::Window& window = context_.Controls();
  int32_t secondaryResult = -1;
  const int secondary = context_.window.SecondaryDeviceIndex();
  const bool secondaryOn = window.IsChecked(IDC_SECONDARY_CAMERA) && secondary != -1;
  if (secondaryOn) {
    std::string secondaryBuffer = NameBuffer(names->secondary);
    secondaryResult = CaptureToFile(secondary, secondaryBuffer);
  }

  // A multiple crop lists the files it wrote in the buffer; one that wrote a
  // single file names it there. A library that rewrote the buffer although
  // the crop list shows another mode (its crop setting did not take) has
  // cropped all the same: its files are the ones to publish.
  const bool multipleCrop = window.Selection(IDC_CROP_MODE) == kCropModeMultiple;
  const std::string bufferText = BufferText(mainBuffer);
  const bool rewritten = mainResult == 0 && bufferText != names->main;
  if (multipleCrop || rewritten) {
    if (auto cropFiles = MultipleCropFiles(bufferText)) {
      for (const std::string& file : *cropFiles) Publish(file);
      // A multiple crop the user chose keeps the secondary shot back; one
      // the user did not choose must not cost that picture.
      if (!multipleCrop && secondaryResult == 0) Publish(names->secondary);
      return;
    }
  }
  const std::string mainName = multipleCrop || rewritten ? bufferText : names->main;

  if (window.IsChecked(IDC_MERGE)) {
    MergePair(*names, mainName, mainResult, secondaryResult, merges.preview);
    return;
  }
  if (window.IsChecked(IDC_SECONDARY_MERGE) && secondaryOn && mainResult == 0 &&
      secondaryResult == 0 && MergeSecondary(*names, mainName, merges.secondaryMerge)) {
    return;
  }
  if (mainResult == 0) Publish(mainName);
  if (secondaryResult == 0) Publish(names->secondary);
}

void CapturePipeline::ShowPair(CMergePreviewDlg& preview) {
  platform::Os& os = context_.platform.os;
  const auto wide = [&os](const std::string& path) {
    return path.empty() ? std::u16string() : os.AnsiToWide(path);
  };
  (void)preview.FirstPane().SetPicture(wide(pair_.FirstPicture()));
  (void)preview.SecondPane().SetPicture(wide(pair_.SecondPicture()));
}

void CapturePipeline::MergePair(const CaptureNames& names, const std::string& mainName,
                                int32_t mainResult, int32_t secondaryResult,
                                CMergePreviewDlg& preview) {
  platform::Window& window = context_.Controls();
  camera::CameraLibrary& camera = context_.camera;
  const int32_t mode =
      window.IsChecked(IDC_MERGE_HORIZONTAL) ? kPairSideBySide : kPairOneAboveTheOther;
  if (pair_.GetState() == TwoPictureMerge::State::Done) {
    pair_.ClearPictures();
    ShowPair(preview);
  }

  if (secondaryResult == 0) {
    // Both cameras give the pair at once. A first picture still waiting for
    // its pair is kept as a picture of its own rather than forgotten.
    if (pair_.GetState() == TwoPictureMerge::State::Waiting) Publish(pair_.FirstPicture());
    pair_.TakeBothPictures(mainName, names.secondary);
    ShowPair(preview);
    if (camera.camCombineImage(pair_.FirstPicture().c_str(), pair_.SecondPicture().c_str(),
                               names.merge.c_str(), mode, 0, 0, 0, 0) == 0) {
      Publish(names.merge);
    } else {
      // No joined picture: the user keeps the two shots.
      if (mainResult == 0) Publish(mainName);
      Publish(names.secondary);
    }
    return;
  }
  // A shot that failed cannot be half of a pair: the pair stays as it was.
  if (mainResult != 0) return;

  if (pair_.GetState() == TwoPictureMerge::State::Idle) {
    pair_.TakeFirstPicture(mainName);
    ShowPair(preview);
    window.Enable(IDC_COLOR_MODE, false);
    return;
  }
  window.Enable(IDC_COLOR_MODE, true);
  pair_.TakeSecondPicture(mainName);
  ShowPair(preview);
  const int32_t result = camera.camCombineImage(
      pair_.FirstPicture().c_str(), pair_.SecondPicture().c_str(), names.merge.c_str(), mode, 0,
      0, 0, 0);
  if (result != 0) {
    context_.ShowErrorCode(result);
    // The pair starts over; the two pictures taken for it are kept.
    const std::string first = pair_.FirstPicture(), second = pair_.SecondPicture();
    pair_.ClearPictures();
    ShowPair(preview);
    Publish(first);
    Publish(second);
    return;
  }
  (void)context_.platform.os.RemoveFile(pair_.FirstPicture());
  (void)context_.platform.os.RemoveFile(pair_.SecondPicture());
  Publish(names.merge);
}

bool CapturePipeline::MergeSecondary(const CaptureNames& names, const std::string& mainName,
                                     const MergeOptions& options) {
  camera::CameraLibrary& camera = context_.camera;
  platform::Window& window = context_.Controls();
  int32_t format = 0, width = 0, height = 0, secondaryWidth = 0, secondaryHeight = 0;
  const int main = context_.window.MainDeviceIndex();
  const int secondary = context_.window.SecondaryDeviceIndex();
  if (camera.camGetCurResolution(main, &format, &width, &height) != 0 ||
      camera.camGetCurResolution(secondary, &format, &secondaryWidth, &secondaryHeight) != 0) {
    return false;
  }
  const int rotation = window.Selection(IDC_ROTATE);
  if (window.Selection(IDC_CROP_MODE) != kCropModeNone) {
    // A cropped shot has the size of what was cut out: read it from the file.
    platform::Platform& platform = context_.platform;
    const auto size = platform.imaging.ReadImageSize(platform.os.AnsiToWide(mainName));
    if (!size) return false;
    width = static_cast<int32_t>(size->width);
    height = static_cast<int32_t>(size->height);
  } else if (rotation == 1 || rotation == 3) {
    std::swap(width, height);  // a quarter turn
  }
  const std::optional<Inset> inset = SecondaryMergeInset(
      width, height, secondaryWidth, secondaryHeight, options.MergeType, options.MergePosition);
  if (!inset) return false;

  if (camera.camCombineImage(mainName.c_str(), names.secondary.c_str(), names.merge.c_str(),
                             options.MergeType, inset->x, inset->y, inset->width,
                             inset->height) != 0) {
    return false;  // both shots stay and are published as a plain capture
  }
  (void)context_.platform.os.RemoveFile(mainName);
  (void)context_.platform.os.RemoveFile(names.secondary);
  Publish(names.merge);
  return true;
}

void CapturePipeline::CaptureSecondaryImage() {
  const platform::BusyScope busy(context_.platform.ui);
  const int format = context_.Controls().Selection(IDC_FILE_FORMAT);
  const std::optional<CaptureNames> names = NamesForThisCapture(ExtensionOf(format));
  if (!names) return;
  std::string buffer = NameBuffer(names->secondary);
  if (CaptureToFile(context_.window.SecondaryDeviceIndex(), buffer) != 0) return;
  const std::u16string file = context_.platform.os.AnsiToWide(names->secondary);
  if (!CanHandOver(file)) return;
  // The data source hears of this file before the list shows it.
  currentFile_ = file;
  (void)context_.link.TransferFile(currentFile_);
  (void)thumbnails_.AddImage(currentFile_);
}

}  // namespace capture
