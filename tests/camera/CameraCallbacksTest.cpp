// The library's callbacks reach their handlers on the UI thread only, and
// never after the handler was cleared or its auto-capture run ended.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "camera/CameraCallbacks.h"
#include "camera/CameraLibrary.h"
#include "support/KelpraHooks.h"
#include "support/QueueUi.h"
#include "platform/headless/HeadlessOs.h"

namespace {

using camera::AutoCaptureCallback;
using camera::CameraCallbacks;
using camera::DeviceChangeCallback;
using testing_support::QueueUi;

TEST(CameraCallbacks, WhatWasQueuedBeforeAStopOrAClearNeverReachesAHandler) {
  QueueUi ui;
  CameraCallbacks callbacks(ui);
  std::vector<int32_t> first, second;
  CamAutoCaptureCallback callback =
      callbacks.BeginAutoCapture([&](int32_t value) { first.push_back(value); });
  EXPECT_EQ(callback(1), 1);
  callbacks.EndAutoCapture();
  EXPECT_EQ(callback(2), 1);  // late call of the stopped run
  callback = callbacks.BeginAutoCapture([&](int32_t value) { first.push_back(value); });
  EXPECT_EQ(callback(3), 1);
  // A new run starts before the old run's value was handled.
  callback = callbacks.BeginAutoCapture([&](int32_t value) { second.push_back(value); });
  EXPECT_EQ(callback(4), 1);
  callbacks.EndAutoCapture();
  callbacks.EndAutoCapture();  // stopping twice is harmless
  callback = callbacks.BeginAutoCapture([&](int32_t value) {
    second.push_back(value);
    callbacks.EndAutoCapture();  // destroys the stored handler while it runs
  });
  callback(5);
  callback(6);

  int changes = 0;
  const CamDeviceChangeCallback change = callbacks.SetDeviceChangeHandler([&] { ++changes; });
  change(0);
  callbacks.ClearDeviceChangeHandler();
  change(0);  // no handler at all
  ui.RunPending();
  EXPECT_TRUE(first.empty());
  EXPECT_EQ(second, std::vector<int32_t>{5});
  EXPECT_EQ(changes, 0);
  // Stopping auto capture leaves device changes alone.
  callbacks.SetDeviceChangeHandler([&] { ++changes; });
  change(0);
  callbacks.EndAutoCapture();
  ui.RunPending();
  EXPECT_EQ(changes, 1);
}

TEST(CameraCallbacks, NothingRunsOnceTheObjectIsGone) {
  QueueUi ui;
  int changes = 0;
  std::vector<int32_t> progress;
  auto callbacks = std::make_unique<CameraCallbacks>(ui);
  callbacks->SetDeviceChangeHandler([&] { ++changes; });
  callbacks->BeginAutoCapture([&](int32_t value) { progress.push_back(value); });
  EXPECT_EQ(DeviceChangeCallback(0), 1);
  EXPECT_EQ(AutoCaptureCallback(1), 1);
  callbacks.reset();
  EXPECT_EQ(DeviceChangeCallback(0), 1);
  EXPECT_EQ(AutoCaptureCallback(2), 1);
  EXPECT_EQ(ui.Pending(), 2u) << "posted although no object exists";

  // The next object, with handlers of its own, does not receive what was
  // queued for the one before.
  callbacks = std::make_unique<CameraCallbacks>(ui);
  callbacks->SetDeviceChangeHandler([&] { ++changes; });
  callbacks->BeginAutoCapture([&](int32_t value) { progress.push_back(value); });
  EXPECT_EQ(ui.RunPending(), 2u);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(progress.empty());
}

TEST(CameraCallbacks, TheLibrarysOwnThreadOnlyPostsAndHandlersRunOnTheUiThread) {
  QueueUi ui;
  CameraCallbacks callbacks(ui);
  headless::HeadlessOs os;
  camera::CameraLibrary library(os);
  ASSERT_TRUE(library.Load(KELPRA_LIBRARY_PATH));
  int deviceChanges = 0;
  std::vector<int32_t> progress;
  std::vector<std::thread::id> threads;

  (void)library.camUnInitCameraLib();
  ::setenv("KELPRA_TICK_MS", "5", 1);  // read when the library initialises
  ASSERT_EQ(library.camRegCallBackDeviceChange(callbacks.SetDeviceChangeHandler([&] {
    ++deviceChanges;
    threads.push_back(std::this_thread::get_id());
  })),
            0);
  ASSERT_EQ(library.camInitCameraLib(), 0);
  ::unsetenv("KELPRA_TICK_MS");
  ASSERT_EQ(library.camOpenDev(0, 0, 640, 480), 0);
  ASSERT_EQ(library.camStartAutoCapture(0, 1, 3, callbacks.BeginAutoCapture([&](int32_t value) {
    progress.push_back(value);
    threads.push_back(std::this_thread::get_id());
  })),
            0);
  int32_t devices = 0;
  ASSERT_EQ(library.camGetDevCount(&devices), 0);
  testing_support::KelpraHooks hooks(library);
  EXPECT_EQ(hooks.PlugDevice("Plugged"), devices + 1);

  // Wait until the library's thread has posted a few values; nothing is
  // handled before the UI thread runs its queue.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (ui.Pending() < 5 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  EXPECT_EQ(deviceChanges, 0);
  EXPECT_TRUE(progress.empty());
  ui.RunPending();
  EXPECT_EQ(deviceChanges, 1);
  ASSERT_GE(progress.size(), 4u);
  // Each value reaches the handler unchanged and in order.
  EXPECT_EQ(std::vector<int32_t>(progress.begin(), progress.begin() + 4),
            (std::vector<int32_t>{0, 1, 2, 3}));
  for (std::thread::id id : threads) EXPECT_EQ(id, std::this_thread::get_id());

  // Stopped: whatever the library still queued is dropped.
  callbacks.EndAutoCapture();
  EXPECT_EQ(library.camStopAutoCapture(0), 0);
  const size_t seen = progress.size();
  // The stop joined the library's thread: what is queued now is all there is.
  EXPECT_EQ(hooks.AutoCaptureThreads(), 0);
  ui.RunPending();
  EXPECT_EQ(progress.size(), seen);
  EXPECT_EQ(library.camUnInitCameraLib(), 0);
}

}  // namespace
