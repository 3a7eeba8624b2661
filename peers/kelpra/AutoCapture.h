// Auto capture on the library's own thread.
//
// Mode 1 (timed) reports 0, 1, ... target, one value per tick, and starts
// again at 0. Mode 0 (automatic) imitates a page detector: while a page is
// being laid down it reports 0, then counts the ticks the page has lain
// still up to target (the moment to shoot), then reports 0 while the page
// is turned, and so on.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "camera/CameraExports.h"

namespace kelpra {

constexpr int kAutoCaptureTimed = 1;
constexpr int kAutoCaptureDetect = 0;
constexpr int kMaxAutoCaptureTarget = 3600;

// The values a run reports, one per tick; no thread involved.
class AutoCaptureSequence {
 public:
  AutoCaptureSequence(int mode, int target) : mode_(mode), target_(target) {}
  int Next();

 private:
  int mode_;
  int target_;
  int step_ = 0;
};

// Threads of runs, started or stopped, that have not returned yet. A stop
// that joins its thread brings this down before it returns; a run stopped
// from its own callback ends its thread as soon as the callback returns.
int RunningAutoCaptureThreads();

// A run with a tick of 0 has no thread: its values come only from Tick.
class AutoCaptureRun {
 public:
  AutoCaptureRun(int mode, int target, CamAutoCaptureCallback callback, int tickMs);
  ~AutoCaptureRun();
  AutoCaptureRun(const AutoCaptureRun&) = delete;
  AutoCaptureRun& operator=(const AutoCaptureRun&) = delete;

  // Ends the run. When it returns no callback is running or will follow;
  // called from inside the callback, the run ends as soon as the callback
  // returns. The caller must not hold a lock the callback may need.
  void Stop();

  // A run without a clock: reports the next `ticks` values on the caller's
  // thread, ending early when stopped (also by its own callback) or when
  // the callback returns false. Returns the values reported, or -1 for a
  // run that has its own clock.
  int Tick(int ticks);

 private:
  // What the thread uses; shared with it so that a run stopped from its own
  // callback and then destroyed leaves the thread nothing dangling.
  struct Shared {
    Shared(int mode, int target) : sequence(mode, target) {}
    AutoCaptureSequence sequence;
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
  };
  static void Loop(std::shared_ptr<Shared> shared, CamAutoCaptureCallback callback, int tickMs);

  std::shared_ptr<Shared> shared_;
  CamAutoCaptureCallback callback_;
  bool manual_;
  std::thread thread_;
};

}  // namespace kelpra
