// Auto capture: the values each mode reports, the callback on the library's
// own thread, and silence after the stop. The program only posts from the
// callback, so calls into the library from inside it are not its concern.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "AutoCapture.h"
#include "KelpraHarness.h"

namespace kelpra_test {
namespace {

TEST(AutoCaptureSequence, AutomaticModeReachesTheTargetOncePerPageWithMovementBetween) {
  kelpra::AutoCaptureSequence sequence(kelpra::kAutoCaptureDetect, 5);
  std::vector<int> values(21);
  std::generate(values.begin(), values.end(), [&sequence] { return sequence.Next(); });
  int shots = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_TRUE(i == 0 || values[i] == 0 || values[i] == values[i - 1] + 1) << i;
    if (values[i] != 5) continue;
    ++shots;
    // After a shot the page moves (0) before the count can rise again.
    EXPECT_TRUE(i + 1 == values.size() || values[i + 1] == 0) << i;
  }
  EXPECT_EQ(shots, 3);
}

// Waits (a generous bound, not a timing check) until `done` holds.
template <typename Condition>
bool WaitFor(Condition done) {
  for (int i = 0; i < 1000 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return done();
}

// What the callback saw, from the library's thread.
struct Recorder {
  std::mutex mutex;
  std::vector<int> values;
  std::atomic<bool> stopped{false};
  std::atomic<int> afterStop{0};
  std::thread::id thread;
  size_t Count() {
    std::lock_guard<std::mutex> lock(mutex);
    return values.size();
  }
};
Recorder* g_recorder = nullptr;

int32_t CAM_CALL Record(int32_t value) {
  std::lock_guard<std::mutex> lock(g_recorder->mutex);
  if (g_recorder->stopped) ++g_recorder->afterStop;
  g_recorder->values.push_back(value);
  g_recorder->thread = std::this_thread::get_id();
  return 1;
}

class AutoCapture : public KelpraTest {
 protected:
  void SetUp() override {
    KelpraTest::SetUp();
    g_recorder = &recorder;
    ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  }
  void TearDown() override {
    cam.camStopAutoCapture(0);
    KelpraTest::TearDown();
    g_recorder = nullptr;
  }
  // Nothing reaches the callback once `stop` returned: it joined the
  // thread. A value that came later would count in `afterStop`.
  void ExpectSilentAfter(int32_t stopResult) {
    EXPECT_EQ(stopResult, 0);
    recorder.stopped = true;
    EXPECT_EQ(hooks.AutoCaptureThreads(), 0);
    EXPECT_EQ(recorder.afterStop, 0);
  }
  Recorder recorder;
};

TEST_F(AutoCapture, TimedRunCallsBackEachValueFromItsOwnThreadAndNothingAfterStop) {
  ASSERT_EQ(cam.camStartAutoCapture(0, 1, 5, Record), 0);
  ASSERT_TRUE(WaitFor([&] { return recorder.Count() >= 8; }));
  ExpectSilentAfter(cam.camStopAutoCapture(0));
  std::lock_guard<std::mutex> lock(recorder.mutex);
  EXPECT_NE(recorder.thread, std::this_thread::get_id());
  EXPECT_EQ(std::vector<int>(recorder.values.begin(), recorder.values.begin() + 8),
            (std::vector<int>{0, 1, 2, 3, 4, 5, 0, 1}));
}

TEST_F(AutoCapture, StartRefusesBadArgumentsClosedDevicesAndMinusOne) {
  EXPECT_NE(cam.camStartAutoCapture(0, 2, 5, Record), 0);
  EXPECT_NE(cam.camStartAutoCapture(0, 1, 0, Record), 0);
  EXPECT_NE(cam.camStartAutoCapture(0, 1, 5, nullptr), 0);
  EXPECT_NE(cam.camStartAutoCapture(1, 1, 5, Record), 0);  // not open
  EXPECT_NE(cam.camStartAutoCapture(-1, 1, 5, Record), 0);
  EXPECT_EQ(cam.camStopAutoCapture(0), 0);  // nothing running: still fine
}

TEST_F(AutoCapture, ClosingTheDeviceOrTheLibraryStopsTheRun) {
  ASSERT_EQ(cam.camStartAutoCapture(0, 1, 5, Record), 0);
  ASSERT_TRUE(WaitFor([&] { return recorder.Count() >= 1; }));
  ExpectSilentAfter(cam.camCloseDev(0));
  recorder.stopped = false;
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  ASSERT_EQ(cam.camStartAutoCapture(0, 1, 5, Record), 0);
  ExpectSilentAfter(cam.camUnInitCameraLib());
}

}  // namespace
}  // namespace kelpra_test
