// Many automatic shots in one session: the heap in use stays flat once the
// session has warmed up.
//
// The shots come from timed auto-capture runs of 50 shots each (the library
// has no clock: the test hands out its values), each run started with the
// Capture button and ended with the dialog's End button.
//
// The heap in use is what the allocator reports as handed out and not yet
// freed (glibc's mallinfo2, or the sanitizer allocator's own count in the
// sanitizer build), sampled between shots, so that the pictures a shot
// holds for a moment are freed again. The session runs one by one, so that
// no file waits in the hand-off queue, and the user clears the thumbnail
// list after every run, as a user of a long session would (the clears that
// can still be taken back hold their pictures); the test's own
// records (the data source twin's log, the library's call log) are emptied
// at the same time. What remains is the program's own memory.
#include <sys/resource.h>

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
  const long shots = RunLength("SOAK_SHOTS", 500);
  // The last clears stay in memory while they can be taken back, up to the
  // undo history's number of pictures: the warm-up lasts until it is full
  // (each sample is taken before that block's clear has run).
  const long undoBlocks =
      static_cast<long>((CImageListCtrl::kUndoPictures + kBlock - 1) / kBlock);
  const long warmUp = std::max((undoBlocks + 1) * kBlock, shots / 5 / kBlock * kBlock);
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", SessionLibrary());
  settings::SessionSettings saved;
  saved.ShowUIUpdataOneByOne = 1;
  h.SaveSettings(saved);

  long taken = 0;
  size_t delivered = 0;
  size_t baseline = 0, highest = 0, last = 0;
  for (long block = 0; block < shots / kBlock; ++block) {
    h.Then([&] {
      ASSERT_TRUE(h.Window().UserSelect(IDC_AUTO_CAPTURE_MODE, 1));  // timed, target 5
      ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
    });
    // In the auto-capture dialog: the values of 50 rounds, then End.
    h.Then([&] {
      testing_support::KelpraHooks hooks(h.dialog->Camera());
      h.host.os.tickCount += 1000;
      ASSERT_EQ(hooks.AutoCaptureTick(0, 6 * kBlock), 6 * kBlock);
    });
    h.Then([&] {
      headless::HeadlessWindow* d = h.host.ui.ActiveModal();
      ASSERT_TRUE(d != nullptr && d->TemplateId() == IDD_AUTO_CAPTURE);
      ASSERT_TRUE(d->UserClick(IDC_AC_END));
      taken += kBlock;
    });
    // After the posted thumbnail inserts: check and forget what arrived,
    // clear the list (deleting the files), and sample.
    h.Then([&, block] {
      for (const auto& record : h.dataSource.Received()) {
        if (record.code != kDSCodeFile) continue;
        EXPECT_TRUE(record.fileExisted);
        ++delivered;
      }
      h.dataSource.ClearReceived();
      auto* list = static_cast<headless::HeadlessListView*>(h.Window().ListViewControl(IDC_THUMBNAILS));
      EXPECT_EQ(list->ItemCount(), kBlock);
      list->menuChooser = [](const auto& menu) { return menu.entries.front().command; };
      list->UserRightClick(-1);
      list->menusShown.clear();
      list->ensuredVisible.clear();
      list->ensuredVisible.shrink_to_fit();
      h.ClearCallLog();
      const size_t now = HeapInUse();
      if ((block + 1) * kBlock == warmUp) baseline = now;
      if ((block + 1) * kBlock > warmUp) highest = std::max(highest, now);
      last = now;
    });
  }
  h.Then([&] { h.Window().UserClick(IDC_EXIT); });
  h.Run();

  ASSERT_EQ(taken, shots / kBlock * kBlock);
  EXPECT_EQ(delivered, static_cast<size_t>(taken));
  const long afterWarmUp = taken - warmUp;
  ASSERT_GT(afterWarmUp, 0);
  const double growthPerShot =
      (static_cast<double>(highest) - static_cast<double>(baseline)) / afterWarmUp;
  // A leaked file name costs more than 100 bytes a shot, a thumbnail kept
  // after the list was cleared thousands.
  EXPECT_LT(growthPerShot, 64.0) << "heap " << baseline << " after warm-up, up to " << highest;
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  RecordFigure("Soak, native, auto capture", std::to_string(taken) + " shots",
               "heap " + std::to_string(baseline / 1024) + " KiB after " +
                   std::to_string(warmUp) + " shots, at most " + std::to_string(highest / 1024) +
                   " KiB later, " + std::to_string(last / 1024) + " KiB at the end (" +
                   std::to_string(static_cast<long>(growthPerShot)) +
                   " B/shot); peak RSS " + std::to_string(usage.ru_maxrss / 1024) + " MiB");
}

}  // namespace
}  // namespace reliability
