// The library's callbacks only post to the UI thread, which runs the
// handlers, and never after the handler was cleared or its auto-capture run
// ended. The reference library's own threads calling back are its tests'
// subject; the capture window's tests run them through these callbacks.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "camera/CameraCallbacks.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessUi.h"

namespace {

using camera::AutoCaptureCallback;
using camera::CameraCallbacks;
using camera::DeviceChangeCallback;

TEST(CameraCallbacks, WhatWasQueuedBeforeAStopOrAClearNeverReachesAHandler) {
  headless::HeadlessDesktop desktop;
  headless::HeadlessUi ui(desktop);  // runs posted tasks when asked, as the UI thread would
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
  ui.RunPostedTasks();
  EXPECT_TRUE(first.empty());
  EXPECT_EQ(second, std::vector<int32_t>{5});
  EXPECT_EQ(changes, 0);
  // Stopping auto capture leaves device changes alone.
  callbacks.SetDeviceChangeHandler([&] { ++changes; });
  change(0);
  callbacks.EndAutoCapture();
  ui.RunPostedTasks();
  EXPECT_EQ(changes, 1);
}

TEST(CameraCallbacks, NothingRunsOnceTheObjectIsGone) {
  headless::HeadlessDesktop desktop;
  headless::HeadlessUi ui(desktop);
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

  // The next object, with handlers of its own, does not receive what was
  // queued for the one before.
  callbacks = std::make_unique<CameraCallbacks>(ui);
  callbacks->SetDeviceChangeHandler([&] { ++changes; });
  callbacks->BeginAutoCapture([&](int32_t value) { progress.push_back(value); });
  // Two tasks were posted while the first object lived; none after.
  EXPECT_EQ(ui.RunPostedTasks(), 2);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(progress.empty());
}

}  // namespace
