// Auto capture: the values each mode reports, the callback on the library's
// own thread, and silence after the stop.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "AutoCapture.h"
#include "KelpraHarness.h"

namespace kelpra_test {
namespace {

TEST(AutoCaptureSequence, TimedModeCountsUpToTheTargetAndStartsAgain) {
  kelpra::AutoCaptureSequence sequence(kelpra::kAutoCaptureTimed, 3);
  std::vector<int> values;
  for (int i = 0; i < 9; ++i) values.push_back(sequence.Next());
  EXPECT_EQ(values, (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3, 0}));
}

TEST(AutoCaptureSequence, AutomaticModeReachesTheTargetOncePerPageWithMovementBetween) {
  kelpra::AutoCaptureSequence sequence(kelpra::kAutoCaptureDetect, 5);
  std::vector<int> values;
  for (int i = 0; i < 21; ++i) values.push_back(sequence.Next());
  int shots = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    if (values[i] != 5) continue;
    ++shots;
    // After a shot the page moves (0) before the count can rise again.
    if (i + 1 < values.size()) {
      EXPECT_EQ(values[i + 1], 0);
    }
  }
  EXPECT_EQ(shots, 3);
  for (size_t i = 1; i < values.size(); ++i)
    EXPECT_TRUE(values[i] == 0 || values[i] == values[i - 1] + 1) << i;
}

// Waits (a generous bound, not a timing check) until every auto-capture
// thread of the library has returned.
bool WaitUntilNoAutoCaptureThread() {
  for (int i = 0; i < 1000; ++i) {
    if (Kelpra().kelpraTestAutoCaptureThreads() == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Records callback values from the library's thread.
struct Recorder {
  std::mutex mutex;
  std::vector<int> values;
  std::atomic<bool> stopped{false};
  std::atomic<int> afterStop{0};
  std::thread::id thread;
};
Recorder* g_recorder = nullptr;

int32_t CAM_CALL Record(int32_t value) {
  std::lock_guard<std::mutex> lock(g_recorder->mutex);
  if (g_recorder->stopped) ++g_recorder->afterStop;
  g_recorder->values.push_back(value);
  g_recorder->thread = std::this_thread::get_id();
  return 1;
}

// Waits (a generous bound, not a timing check) until count values arrived.
bool WaitForValues(Recorder& recorder, size_t count) {
  for (int i = 0; i < 1000; ++i) {
    {
      std::lock_guard<std::mutex> lock(recorder.mutex);
      if (recorder.values.size() >= count) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
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
  Recorder recorder;
};

TEST_F(AutoCapture, TimedRunCallsBackEachValueFromItsOwnThreadAndNothingAfterStop) {
  ASSERT_EQ(cam.camStartAutoCapture(0, 1, 5, Record), 0);
  ASSERT_TRUE(WaitForValues(recorder, 8));
  EXPECT_EQ(cam.camStopAutoCapture(0), 0);
  recorder.stopped = true;
  std::vector<int> values;
  {
    std::lock_guard<std::mutex> lock(recorder.mutex);
    values = recorder.values;
    EXPECT_NE(recorder.thread, std::this_thread::get_id());
  }
  EXPECT_EQ(std::vector<int>(values.begin(), values.begin() + 8),
            (std::vector<int>{0, 1, 2, 3, 4, 5, 0, 1}));
  // The stop joined the run's thread: nothing can call back any more.
  EXPECT_EQ(cam.kelpraTestAutoCaptureThreads(), 0);
  EXPECT_EQ(recorder.afterStop, 0);
  std::lock_guard<std::mutex> lock(recorder.mutex);
  EXPECT_EQ(recorder.values.size(), values.size());
}

TEST_F(AutoCapture, AutomaticRunReachesTheTarget) {
  ASSERT_EQ(cam.camStartAutoCapture(0, 0, 3, Record), 0);
  ASSERT_TRUE(WaitForValues(recorder, 6));
  cam.camStopAutoCapture(0);
  std::lock_guard<std::mutex> lock(recorder.mutex);
  EXPECT_NE(std::find(recorder.values.begin(), recorder.values.end(), 3), recorder.values.end());
}

// The program's callback takes a picture when the target is reached; the
// library must not deadlock when that capture comes from its own thread.
std::string g_shotPath;
std::atomic<int> g_shots{0};
int32_t CAM_CALL CaptureOnTarget(int32_t value) {
  if (value == 2) {
    char path[1024] = {};
    std::snprintf(path, sizeof path, "%s", g_shotPath.c_str());
    if (Kelpra().camCaptureImageFile(0, path) == 0) ++g_shots;
  }
  return 1;
}

TEST_F(AutoCapture, TheCallbackMayCaptureAndStopMayComeWhileItRuns) {
  g_shotPath = folder.File("auto.bmp");
  g_shots = 0;
  ASSERT_EQ(cam.camStartAutoCapture(0, 1, 2, CaptureOnTarget), 0);
  for (int i = 0; i < 1000 && g_shots < 2; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(cam.camStopAutoCapture(0), 0);
  EXPECT_GE(g_shots, 2);
}

Recorder* g_selfStop = nullptr;
int32_t CAM_CALL StopFromInside(int32_t value) {
  {
    std::lock_guard<std::mutex> lock(g_selfStop->mutex);
    g_selfStop->values.push_back(value);
  }
  if (value == 1) Kelpra().camStopAutoCapture(0);
  return 1;
}

TEST_F(AutoCapture, StoppingFromInsideTheCallbackEndsTheRun) {
  Recorder inside;
  g_selfStop = &inside;
  ASSERT_EQ(cam.camStartAutoCapture(0, 1, 4, StopFromInside), 0);
  ASSERT_TRUE(WaitForValues(inside, 2));
  // The run's thread ends on its own once the callback that stopped it returns.
  ASSERT_TRUE(WaitUntilNoAutoCaptureThread());
  std::lock_guard<std::mutex> lock(inside.mutex);
  EXPECT_EQ(inside.values, (std::vector<int>{0, 1}));
}

TEST_F(AutoCapture, StartRefusesBadArgumentsClosedDevicesAndMinusOne) {
  EXPECT_NE(cam.camStartAutoCapture(0, 2, 5, Record), 0);
  EXPECT_NE(cam.camStartAutoCapture(0, 1, 0, Record), 0);
  EXPECT_NE(cam.camStartAutoCapture(0, 1, 5, nullptr), 0);
  EXPECT_NE(cam.camStartAutoCapture(1, 1, 5, Record), 0);  // not open
  EXPECT_NE(cam.camStartAutoCapture(-1, 1, 5, Record), 0);
  EXPECT_EQ(cam.camStopAutoCapture(-1), 0);
  EXPECT_EQ(cam.camStopAutoCapture(0), 0);  // nothing running: still fine
}

TEST_F(AutoCapture, ClosingTheDeviceOrTheLibraryStopsTheRun) {
  ASSERT_EQ(cam.camStartAutoCapture(0, 1, 5, Record), 0);
  ASSERT_TRUE(WaitForValues(recorder, 1));
  cam.camCloseDev(0);
  recorder.stopped = true;
  EXPECT_EQ(cam.kelpraTestAutoCaptureThreads(), 0);
  EXPECT_EQ(recorder.afterStop, 0);

  recorder.stopped = false;
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  ASSERT_EQ(cam.camStartAutoCapture(0, 1, 5, Record), 0);
  cam.camUnInitCameraLib();
  recorder.stopped = true;
  EXPECT_EQ(cam.kelpraTestAutoCaptureThreads(), 0);
  EXPECT_EQ(recorder.afterStop, 0);
}

}  // namespace
}  // namespace kelpra_test
