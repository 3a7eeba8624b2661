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
#include "ScriptedSession.h"
#include "platform/headless/TextConversions.h"
#include "resource.h"

namespace reliability {
namespace {

// The device list shows the library's devices, in its order.
void ExpectListMatchesLibrary(CaptureWindowHarness& h, const std::string& when) {
  camera::CameraLibrary& camera = h.dialog->Camera();
  int32_t count = 0;
  ASSERT_EQ(camera.camGetDevCount(&count), 0);
  std::vector<std::u16string> names, shown;
  for (int32_t i = 0; i < count; ++i) {
    const char* name = camera.camGetDevName(i);
    names.push_back(h.host.os.AnsiToWide(name != nullptr ? name : ""));
  }
  for (int i = 0; i < h.Window().ItemCount(IDC_DEVICE); ++i) {
    shown.push_back(h.Window().ItemText(IDC_DEVICE, i));
  }
  EXPECT_EQ(shown, names) << when;
  EXPECT_LT(h.dialog->MainDeviceIndex(), count) << when;
}

TEST(HotPlugStorm, TheDeviceListFollowsTheLibraryAndNoPictureIsLost) {
  const long events = RunLength("STORM_EVENTS", 200);
  const long between = events / 3, duringRun = events / 3, fromThread = events - 2 * (events / 3);
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", SessionLibrary());
  h.dataSource.batchAnswer = 212;
  std::unique_ptr<testing_support::KelpraHooks> hooks;
  long presses = 0, handled = 0, automaticShots = 0;
  std::atomic<bool> stormRunning{false};
  std::thread storm;
  size_t publishedBefore = 0;
  bool secondaryOpen = false;
  const auto pending = [&h] { return h.dialog->Link().PendingFiles().size(); };
  // Plugs a camera in, or takes out the first or the last one.
  const auto plugOrUnplug = [&](bool plug, bool first, const char* name = nullptr) {
    const int count = h.Window().ItemCount(IDC_DEVICE);
    (void)(plug ? hooks->PlugDevice(name) : hooks->UnplugDevice(first ? 0 : count - 1));
  };

  h.Then([&] {
    hooks = std::make_unique<testing_support::KelpraHooks>(h.dialog->Camera());
    h.ClickHidden(IDC_SECONDARY_CAMERA);
  });
  // Between the user's actions: plug in, or take out the first, the last
  // or every camera, then capture.
  for (long i = 0; i < between; ++i) {
    h.Then([&, i] {
      plugOrUnplug(i % 3 == 0 || h.Window().ItemCount(IDC_DEVICE) == 0, i % 5 == 1,
                   i % 2 ? "Storm Camera" : nullptr);
    });
    h.Then([&, i] {
      ++handled;
      ExpectListMatchesLibrary(h, "after event " + std::to_string(i));
      const size_t before = pending();
      const bool cameraOpen = h.dialog->MainDeviceIndex() >= 0;
      ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
      ++presses;
      if (cameraOpen) {
        EXPECT_GT(pending(), before) << "event " << i;
      }
    });
  }
  // During a timed auto-capture run (target 5, no clock: the test hands out
  // the values): one shot, then a camera plugged in or taken out (never the
  // last one), and the run goes on with the main camera.
  h.Then([&] {
    if (h.Window().ItemCount(IDC_DEVICE) == 0) plugOrUnplug(true, false);
  });
  h.Then([&] {
    ASSERT_GE(h.dialog->MainDeviceIndex(), 0);
    ASSERT_TRUE(h.Window().UserSelect(IDC_AUTO_CAPTURE_MODE, 1));
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
  });
  for (long i = 0; i < duringRun; ++i) {
    h.Then([&, i] {
      publishedBefore = pending();
      // The secondary camera stays switched on through the events: with a
      // second camera listed it is open, and each shot gives its picture too.
      secondaryOpen = h.dialog->Devices().SecondaryDeviceIndex() >= 0;
      EXPECT_EQ(secondaryOpen, h.Window().ItemCount(IDC_DEVICE) >= 2) << "event " << i;
      ASSERT_EQ(hooks->AutoCaptureTick(h.dialog->MainDeviceIndex(), 6), 6) << "event " << i;
    });
    h.Then([&, i] {
      EXPECT_EQ(pending(), publishedBefore + (secondaryOpen ? 2 : 1)) << "event " << i;
      automaticShots += pending() > publishedBefore ? 1 : 0;
      plugOrUnplug(i % 2 == 0 || h.Window().ItemCount(IDC_DEVICE) < 2, i % 4 == 1);
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
    publishedBefore = pending();
    // Resolved here: the library's cache of entry points is the UI thread's.
    camera::CameraLibrary& camera = h.dialog->Camera();
    const auto plug = reinterpret_cast<int32_t(CAM_CALL*)(const char*)>(
        camera.Resolve("kelpraTestPlugDevice"));
    const auto unplug =
        reinterpret_cast<int32_t(CAM_CALL*)(int32_t)>(camera.Resolve("kelpraTestUnplugDevice"));
    ASSERT_TRUE(plug != nullptr && unplug != nullptr);
    stormRunning = true;
    storm = std::thread([&stormRunning, plug, unplug, fromThread] {
      for (long i = 0; i < fromThread; ++i) {
        (void)(i % 2 == 0 ? plug("Storm Camera") : unplug(static_cast<int32_t>(i % 3)));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      stormRunning = false;
    });
  });
  std::function<void()> captureDuringStorm = [&] {
    const bool lastOne = !stormRunning;
    h.Window().UserClick(IDC_CAPTURE);
    ++presses;
    if (!lastOne) return h.Then(captureDuringStorm);
    storm.join();
    h.Then([&] {
      // The last notifications have been handled by now.
      ExpectListMatchesLibrary(h, "after the storm");
      EXPECT_GT(pending(), publishedBefore);
      ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
    });
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
