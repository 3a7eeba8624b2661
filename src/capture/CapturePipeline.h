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
#include "dialogs/CMergeOptionDlg.h"
#include "dialogs/CMergePreviewDlg.h"
#include "thumbnails/CImageListCtrl.h"

namespace capture {

// What a capture uses of the merges the capture window shows: the panes of
// the two-picture merge's preview and the secondary-camera merge options.
struct MergeView {
  CMergePreviewDlg& preview;
  MergeOptions secondaryMerge;
};

class CapturePipeline {
 public:
  CapturePipeline(CaptureContext& context, CImageListCtrl& thumbnails);

  // Start-up: empties the work folder an earlier session left and has the
  // camera library create it again.
  void PrepareWorkFolder();

  // One press of Capture: the main camera's shot, the secondary camera's
  // when it is on, then multiple crop, the two-picture merge, the
  // secondary-camera merge or a plain capture, and publishing. The wait
  // cursor shows throughout, as it does for the secondary camera's shot.
  void CaptureImage(const MergeView& merges);
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
  TwoPictureMerge& Pair() { return pair_; }

 private:
  // The names of this capture, or nothing (said to the user) without a
  // usable work folder.
  std::optional<CaptureNames> NamesForThisCapture(const std::string& extension);
  // True when `path` can be handed to the data source whole; otherwise the
  // user is told, and the file is neither listed nor handed over. The work
  // folder leaves room for every name the program makes; a library's own
  // names (a multiple crop's) may still be longer.
  bool CanHandOver(const std::u16string& path);
  // Makes `path` the current file, lists it and hands it to the data source;
  // a path that names no file is left out.
  void Publish(const std::string& path);
  // One step of the two-picture merge (1007 checked).
  void MergePair(const CaptureNames& names, const std::string& mainName, int32_t mainResult,
                 int32_t secondaryResult, CMergePreviewDlg& preview);
  // Joins the two cameras' shots into one picture; false when that cannot be
  // done, and then nothing was published or deleted.
  bool MergeSecondary(const CaptureNames& names, const std::string& mainName,
                      const MergeOptions& options);
  void ShowPair(CMergePreviewDlg& preview);

  CaptureContext& context_;
  CImageListCtrl& thumbnails_;
  TwoPictureMerge pair_;
  std::optional<std::string> workFolder_;
  std::u16string currentFile_;
};

}  // namespace capture
