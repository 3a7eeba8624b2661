// Many automatic shots in one session: the heap in use stays flat once the
// session has warmed up.
//
// The shots come from the scripted session's timed auto-capture runs of 50
// shots each (the library has no clock: the test hands out its values),
// each run started with the Capture button and ended with the dialog's End
// button.
//
// The heap in use is what the allocator reports as handed out and not yet
// freed (glibc's mallinfo2, or the sanitizer allocator's own count in the
// sanitizer build), sampled between runs. The session runs one by one, so
// that no file waits in the hand-off queue, and the user clears the
// thumbnail list after every run, as a user of a long session would (the
// clears that can still be taken back hold their pictures); the test's own
// records (the data source twin's log, the library's call log, the list's
// menus) are emptied at the same time. What remains is the program's own
// memory, and the session's line of published names per run.
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count (sanitizer/allocator_interface.h, which not
// every compiler installs).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

#include "Figures.h"
#include "ScriptedSession.h"
#include "capturewindow/SessionSteps.h"
#include "resource.h"
#include "thumbnails/CImageListCtrl.h"

namespace reliability {
namespace {

size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#endif
}

constexpr long kBlock = 50;

TEST(Soak, TheHeapStaysFlatOverManyAutomaticShots) {
  const long shots = RunLength("SOAK_SHOTS", 500) / kBlock * kBlock;
  // The last clears stay in memory while they can be taken back, up to the
  // undo history's number of pictures: the warm-up lasts until it is full.
  const long undoBlocks = static_cast<long>((CImageListCtrl::kUndoPictures + kBlock - 1) / kBlock);
  const long warmUp = std::max((undoBlocks + 1) * kBlock, shots / 5 / kBlock * kBlock);
  ScriptedSession session({"", "", 1});
  CaptureWindowHarness& h = session.h;
  size_t delivered = 0, baseline = 0, highest = 0;
  for (long block = 0; block < shots / kBlock; ++block) {
    session.QueueAutoCapture(kBlock);
    // After the posted thumbnail inserts: check and forget what arrived,
    // then clear the list (deleting the files), and sample.
    session.Then([&] {
      for (const auto& record : h.dataSource.Received()) {
        EXPECT_TRUE(record.code != kDSCodeFile || record.fileExisted);
        delivered += record.code == kDSCodeFile;
      }
      h.dataSource.ClearReceived();
      EXPECT_EQ(h.dialog->Thumbnails().GetItemCount(), kBlock);
    });
    session.QueueListCommand(-1, CImageListCtrl::kClearCommand);
    session.Then([&, block] {
      headless::HeadlessListView& list = steps::Thumbnails(h);
      list.menusShown.clear();
      list.ensuredVisible.clear();
      list.ensuredVisible.shrink_to_fit();
      h.ClearCallLog();
      const size_t now = HeapInUse();
      if ((block + 1) * kBlock == warmUp) baseline = now;
      if ((block + 1) * kBlock > warmUp) highest = std::max(highest, now);
    });
  }
  session.Then([&] { h.Window().UserClick(IDC_EXIT); });
  session.Run();

  ASSERT_GT(shots, warmUp);
  EXPECT_EQ(delivered, static_cast<size_t>(shots));
  const double growthPerShot =
      (static_cast<double>(highest) - static_cast<double>(baseline)) / (shots - warmUp);
  // A leaked file name costs more than 100 bytes a shot, a thumbnail kept
  // after the list was cleared thousands.
  EXPECT_LT(growthPerShot, 64.0) << "heap " << baseline << " after warm-up, up to " << highest;
  RecordFigure("Soak, native, auto capture", std::to_string(shots) + " shots",
               "heap " + std::to_string(baseline / 1024) + " KiB after " + std::to_string(warmUp) +
                   " shots, at most " + std::to_string(highest / 1024) + " KiB later (" +
                   std::to_string(static_cast<long>(growthPerShot)) + " B/shot)");
}

}  // namespace
}  // namespace reliability
