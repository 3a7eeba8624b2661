// capture/CapturePipeline.h: what happens when a picture is captured: the
// file names, the shots of the main and the secondary camera, the merges,
// and publishing the files (the current file, its thumbnail, the hand-off).
// Owns the work folder the pictures are written to, the current file and
// the two-picture merge's progress.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "capture/CaptureNames.h"
#include "capture/TwoPictureMerge.h"
#include "context/CaptureContext.h"
#include "thumbnails/CImageListCtrl.h"

namespace capture {

class CapturePipeline {
 public:
  CapturePipeline(CaptureContext& context, CImageListCtrl& thumbnails);

  // Start-up: empties the work folder an earlier session left and has the
  // camera library create it again.
  void PrepareWorkFolder();

  // One press of Capture: the main camera's shot, the secondary camera's
  // when it is on, multiple crop, and publishing.
  void CaptureImage();
  // The secondary camera alone, in the format the format list shows.
  void CaptureSecondaryImage();
  // One shot of one camera into the name in `nameBuffer` (kNameBufferSize
  // bytes, which the library may rewrite). While the data source runs
  // without a user interface a failing shot is tried 7 times, 500 ms apart,
  // and a final failure says so and finishes the session. 0 on success,
  // else the library's code.
  int32_t CaptureToFile(int device, std::string& nameBuffer);

  // The folder every picture is written to; nothing when the temp path
  // could not be had, and then nothing is captured.
  const std::optional<std::string>& WorkFolder() const { return workFolder_; }
  // The last published file.
  const std::u16string& CurrentFile() const { return currentFile_; }
  // The two-picture merge's progress.
  const TwoPictureMerge& Pair() const { return pair_; }

 private:
  // The names of this capture, or nothing (said to the user) without a
  // usable work folder.
  std::optional<CaptureNames> NamesForThisCapture(const std::string& extension);
  // Makes `path` the current file, lists it and hands it to the data source.
  void Publish(const std::string& path);
  // The files a multiple crop wrote, when the library listed two or more in
  // the name buffer; nothing otherwise.
  std::optional<std::vector<std::string>> CropFiles(const std::string& nameBuffer) const;

  CaptureContext& context_;
  CImageListCtrl& thumbnails_;
  TwoPictureMerge pair_;
  std::optional<std::string> workFolder_;
  std::u16string currentFile_;
};

}  // namespace capture
