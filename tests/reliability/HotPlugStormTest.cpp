// Cameras plugged in and taken out in quick succession while the user
// captures: the device list always ends up as the library has it, and no
// picture that was taken is lost.
//
// A third of the events comes between the user's actions, each checked
// once the window has handled it; a third during an auto-capture run, one
// event after each automatic shot; the last third from a thread of its own
// while the user keeps capturing, as a driver's notifications would.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "Figures.h"
#include "DeviceSteps.h"
#include "ScriptedSession.h"
#include "platform/headless/TextConversions.h"
#include "resource.h"

namespace reliability {
namespace {

using PlugHook = int32_t(CAM_CALL*)(const char*);
using UnplugHook = int32_t(CAM_CALL*)(int32_t);

// The device list shows the library's devices, in its order.
void ExpectListMatchesLibrary(CaptureWindowHarness& h, const std::string& when) {
  camera::CameraLibrary& camera = h.dialog->Camera();
  int32_t count = 0;
  ASSERT_EQ(camera.camGetDevCount(&count), 0);
  std::vector<std::u16string> names;
  for (int32_t i = 0; i < count; ++i) {
    const char* name = camera.camGetDevName(i);
    names.push_back(h.host.os.AnsiToWide(name != nullptr ? name : ""));
  }
  std::vector<std::u16string> shown;
  for (int i = 0; i < h.Window().ItemCount(IDC_DEVICE); ++i) {
    shown.push_back(h.Window().ItemText(IDC_DEVICE, i));
  }
  EXPECT_EQ(shown, names) << when;
  EXPECT_LT(h.dialog->MainDeviceIndex(), count) << when;
}

TEST(HotPlugStorm, TheDeviceListFollowsTheLibraryAndNoPictureIsLost) {
  const long events = RunLength("STORM_EVENTS", 200);
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", std::string(kSessionLibrary) + kSessionDevices);
  h.dataSource.batchAnswer = 212;
  PlugHook plug = nullptr;
  UnplugHook unplug = nullptr;
  long presses = 0, pressesWithACamera = 0, handled = 0, automaticShots = 0;
  std::atomic<bool> stormRunning{false};
  std::thread storm;
  size_t publishedBefore = 0;
  bool secondaryOpen = false;

  h.Then([&] {
    plug = reinterpret_cast<PlugHook>(h.dialog->Camera().Resolve("kelpraTestPlugDevice"));
    unplug = reinterpret_cast<UnplugHook>(h.dialog->Camera().Resolve("kelpraTestUnplugDevice"));
    ASSERT_NE(plug, nullptr);
    ASSERT_NE(unplug, nullptr);
    device_steps::CommandToggle(h, IDC_SECONDARY_CAMERA);
  });
  // Between the user's actions: plug in, or take out the first, the last
  // or every camera, then capture.
  const long between = events / 3, duringRun = events / 3, fromThread = events - 2 * (events / 3);
  for (long i = 0; i < between; ++i) {
    h.Then([&, i] {
      const int count = h.Window().ItemCount(IDC_DEVICE);
      if (i % 3 == 0 || count == 0) {
        (void)plug(i % 2 ? "Storm Camera" : nullptr);
      } else {
        (void)unplug(i % 5 == 1 ? 0 : count - 1);
      }
    });
    h.Then([&, i] {
      ++handled;
      ExpectListMatchesLibrary(h, "after event " + std::to_string(i));
      const size_t before = h.dialog->Link().PendingFiles().size();
      const bool cameraOpen = h.dialog->MainDeviceIndex() >= 0;
      ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
      ++presses;
      if (cameraOpen) {
        ++pressesWithACamera;
        EXPECT_GT(h.dialog->Link().PendingFiles().size(), before) << "event " << i;
      }
    });
  }
  // During a timed auto-capture run (target 5, no clock: the test hands out
  // the values): one shot, then a camera plugged in or taken out (never the
  // last one), and the run goes on with the main camera.
  h.Then([&] {
    if (h.Window().ItemCount(IDC_DEVICE) == 0) (void)plug(nullptr);
  });
  h.Then([&] {
    ASSERT_GE(h.dialog->MainDeviceIndex(), 0);
    ASSERT_TRUE(h.Window().UserSelect(IDC_AUTO_CAPTURE_MODE, 1));
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
  });
  for (long i = 0; i < duringRun; ++i) {
    h.Then([&, i] {
      publishedBefore = h.dialog->Link().PendingFiles().size();
      // The secondary camera stays switched on through the events: with a
      // second camera listed it is open, and each shot gives its picture too.
      secondaryOpen = h.dialog->Devices().SecondaryDeviceIndex() >= 0;
      EXPECT_EQ(secondaryOpen, h.Window().ItemCount(IDC_DEVICE) >= 2) << "event " << i;
      testing_support::KelpraHooks hooks(h.dialog->Camera());
      ASSERT_EQ(hooks.AutoCaptureTick(h.dialog->MainDeviceIndex(), 6), 6) << "event " << i;
    });
    h.Then([&, i] {
      EXPECT_EQ(h.dialog->Link().PendingFiles().size(), publishedBefore + (secondaryOpen ? 2 : 1))
          << "event " << i;
      automaticShots += h.dialog->Link().PendingFiles().size() > publishedBefore ? 1 : 0;
      const int count = h.Window().ItemCount(IDC_DEVICE);
      if (i % 2 == 0 || count < 2) {
        (void)plug(nullptr);
      } else {
        (void)unplug(i % 4 == 1 ? 0 : count - 1);
      }
    });
    h.Then([&, i] {
      ++handled;
      ExpectListMatchesLibrary(h, "during the run, after event " + std::to_string(i));
      EXPECT_TRUE(h.dialog->AutoCaptureRun().Dialog().IsRunning()) << "event " << i;
    });
  }
  h.Then([&] {
    headless::HeadlessWindow* d = h.host.ui.ActiveModal();
    ASSERT_TRUE(d != nullptr && d->TemplateId() == IDD_AUTO_CAPTURE);
    ASSERT_TRUE(d->UserClick(IDC_AC_END));
  });
  // From another thread, while the user captures.
  h.Then([&] {
    ASSERT_TRUE(h.Window().UserSelect(IDC_AUTO_CAPTURE_MODE, 0));
    publishedBefore = h.dialog->Link().PendingFiles().size();
    stormRunning = true;
    storm = std::thread([&, fromThread] {
      for (long i = 0; i < fromThread; ++i) {
        if (i % 2 == 0) {
          (void)plug("Storm Camera");
        } else {
          (void)unplug(static_cast<int32_t>(i % 3));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      stormRunning = false;
    });
  });
  std::function<void()> finish = [&] {
    // The last notifications have been handled by now.
    ExpectListMatchesLibrary(h, "after the storm");
    EXPECT_GT(h.dialog->Link().PendingFiles().size(), publishedBefore);
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
  };
  std::function<void()> captureDuringStorm = [&] {
    const bool lastOne = !stormRunning;
    h.Window().UserClick(IDC_CAPTURE);
    ++presses;
    if (!lastOne) {
      h.Then(captureDuringStorm);
      return;
    }
    storm.join();
    h.Then(finish);
  };
  h.Then(captureDuringStorm);
  h.Run();
  if (storm.joinable()) storm.join();

  // Every picture in the work folder reached the data source.
  std::set<std::string> delivered;
  for (const auto& record : h.dataSource.Received()) {
    if (record.code != kDSCodeFile) continue;
    EXPECT_TRUE(record.fileExisted);
    const std::string path = headless::Utf16ToUtf8(record.text);
    delivered.insert(path.substr(path.find_last_of('\\') + 1));
  }
  std::error_code ignored;
  size_t pictures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(
           headless::NativePath(*h.dialog->Pipeline().WorkFolder()), ignored)) {
    ++pictures;
    EXPECT_EQ(delivered.count(entry.path().filename().string()), 1u)
        << entry.path().filename() << " was captured but not handed over";
  }
  EXPECT_EQ(handled, between + duringRun);
  EXPECT_EQ(automaticShots, duringRun);
  RecordFigure("Hot-plug storm", std::to_string(events) + " events, " +
                                     std::to_string(presses) + " presses, " +
                                     std::to_string(automaticShots) + " automatic shots",
               "device list as the library's after every event, " + std::to_string(pictures) +
                   " pictures, all handed over");
}

}  // namespace
}  // namespace reliability
