// capture/CapturePipeline.h: what happens when a picture is captured: the
// file names, the shots of the main and the secondary camera, the merges,
// and publishing the files (the current file, its thumbnail, the hand-off).
// Owns the work folder the pictures are written to, the current file and
// the two-picture merge's progress.
#pragma once

#include <optional>
#include <string>

#include "capture/TwoPictureMerge.h"
#include "context/CaptureContext.h"

namespace capture {

class CapturePipeline {
 public:
  explicit CapturePipeline(CaptureContext& context);

  // Start-up: empties the work folder an earlier session left and has the
  // camera library create it again.
  void PrepareWorkFolder();
  // The folder every picture is written to; nothing when the temp path
  // could not be had, and then nothing is captured.
  const std::optional<std::string>& WorkFolder() const { return workFolder_; }
  // The last published file.
  const std::u16string& CurrentFile() const { return currentFile_; }
  // The two-picture merge's progress.
  const TwoPictureMerge& Pair() const { return pair_; }
  TwoPictureMerge& Pair() { return pair_; }

 private:
  CaptureContext& context_;
  TwoPictureMerge pair_;
  std::optional<std::string> workFolder_;
  std::u16string currentFile_;
};

}  // namespace capture
