// The auto-capture thread.
#include "AutoCapture.h"

#include <atomic>
#include <chrono>

namespace kelpra {

namespace {
// Ticks of the automatic mode while a page is laid down or turned.
constexpr int kMovingTicks = 2;
std::atomic<int> g_runningThreads{0};
}  // namespace

int RunningAutoCaptureThreads() { return g_runningThreads.load(); }

int AutoCaptureSequence::Next() {
  if (mode_ == kAutoCaptureTimed) {
    const int value = step_;
    step_ = step_ >= target_ ? 0 : step_ + 1;
    return value;
  }
  // Automatic: kMovingTicks of 0, then 1 .. target, then again.
  const int cycle = kMovingTicks + target_;
  const int position = step_ % cycle;
  step_ = (step_ + 1) % cycle;
  return position < kMovingTicks ? 0 : position - kMovingTicks + 1;
}

AutoCaptureRun::AutoCaptureRun(int mode, int target, CamAutoCaptureCallback callback, int tickMs)
    : shared_(std::make_shared<Shared>(mode, target)), callback_(callback), manual_(tickMs == 0) {
  if (manual_) return;
  ++g_runningThreads;  // counted before the thread exists, so no check can miss it
  thread_ = std::thread(&AutoCaptureRun::Loop, shared_, callback, tickMs);
}

AutoCaptureRun::~AutoCaptureRun() { Stop(); }

void AutoCaptureRun::Stop() {
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->stopping = true;
  }
  shared_->wake.notify_all();
  if (!thread_.joinable()) return;
  if (thread_.get_id() == std::this_thread::get_id()) {
    // Stopped from its own callback: the loop sees the flag when the
    // callback returns and ends without another call.
    thread_.detach();
    return;
  }
  thread_.join();
}

int AutoCaptureRun::Tick(int ticks) {
  if (!manual_) return -1;
  int reported = 0;
  std::unique_lock<std::mutex> lock(shared_->mutex);
  while (reported < ticks && !shared_->stopping) {
    const int value = shared_->sequence.Next();
    lock.unlock();
    ++reported;
    const bool goOn = callback_(value) != 0;
    lock.lock();
    if (!goOn) shared_->stopping = true;
  }
  return reported;
}

void AutoCaptureRun::Loop(std::shared_ptr<Shared> shared, CamAutoCaptureCallback callback,
                          int tickMs) {
  std::unique_lock<std::mutex> lock(shared->mutex);
  while (!shared->stopping) {
    if (shared->wake.wait_for(lock, std::chrono::milliseconds(tickMs),
                              [&shared] { return shared->stopping; }))
      break;
    const int value = shared->sequence.Next();
    lock.unlock();
    const bool goOn = callback(value) != 0;
    lock.lock();
    if (!goOn) break;
  }
  lock.unlock();
  --g_runningThreads;
}

}  // namespace kelpra
