// Many shots in one session: the heap in use stays flat once the session
// has warmed up.
//
// The heap in use is what the allocator reports as handed out and not yet
// freed (glibc's mallinfo2, or the sanitizer allocator's own count in the
// sanitizer build), sampled between shots, so that the pictures a shot
// holds for a moment are freed again. The session runs one by one, so that
// no file waits in the hand-off queue, and the user clears the thumbnail
// list every 50 shots, as a user of a long session would; the test's own
// records (the data source twin's log, the library's call log) are emptied
// at the same time. What remains is the program's own memory.
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif

#include "Figures.h"
#include "ScriptedSession.h"
#include "resource.h"

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

TEST(Soak, TheHeapStaysFlatOverManyShots) {
  const long shots = RunLength("SOAK_SHOTS", 1000);
  const long warmUp = std::max(kBlock, shots / 5 / kBlock * kBlock);
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", std::string("[Library]\n") + kSessionDevices);
  settings::SessionSettings saved;
  saved.ShowUIUpdataOneByOne = 1;
  h.SaveSettings(saved);

  long taken = 0;
  size_t delivered = 0;
  size_t baseline = 0, highest = 0, last = 0;
  for (long block = 0; block < shots / kBlock; ++block) {
    h.Then([&, block] {
      for (long i = 0; i < kBlock; ++i) {
        h.host.os.tickCount += 1000;
        ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
        ++taken;
      }
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
      list->menuChooser = [](const auto& menu) { return menu.command; };
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
  RecordFigure("Soak, native", std::to_string(taken) + " shots",
               "heap " + std::to_string(baseline / 1024) + " KiB after " +
                   std::to_string(warmUp) + " shots, at most " + std::to_string(highest / 1024) +
                   " KiB later, " + std::to_string(last / 1024) + " KiB at the end (" +
                   std::to_string(static_cast<long>(growthPerShot)) +
                   " B/shot); peak RSS " + std::to_string(usage.ru_maxrss / 1024) + " MiB");
}

}  // namespace
}  // namespace reliability
