// Automatic shots: the auto-capture dialog over a run of the reference
// library whose values the test hands out one by one (a library without a
// clock), so that every value arrives exactly when the test says.
#include <algorithm>

#include "CaptureWindowHarness.h"

namespace {

using Lines = std::vector<std::string>;
using Transcript = std::vector<std::string>;

constexpr char kClocklessLibrary[] = "[Library]\nTickMs=0\n";
constexpr int kMainDevice = 0;

// The auto-capture dialog while it is open, or null.
headless::HeadlessWindow* AutoCaptureDialog(CaptureWindowHarness& h) {
  headless::HeadlessWindow* modal = h.host.ui.ActiveModal();
  return modal != nullptr && modal->TemplateId() == IDD_AUTO_CAPTURE ? modal : nullptr;
}

// The library reports its next `ticks` values; they reach the window once
// the current step returns.
int32_t Tick(CaptureWindowHarness& h, int ticks) {
  testing_support::KelpraHooks hooks(h.dialog->Camera());
  return hooks.AutoCaptureTick(kMainDevice, ticks);
}

Lines CallsOf(CaptureWindowHarness& h, const std::string& name) {
  Lines calls;
  for (const std::string& line : h.CallLines()) {
    if (line.rfind(name + "(", 0) == 0) calls.push_back(line);
  }
  return calls;
}

// Chooses an auto-capture entry and presses Capture: the dialog opens and
// the steps queued after this one run inside it.
void StartRun(CaptureWindowHarness& h, int listIndex) {
  h.Then([&h, listIndex] {
    ASSERT_TRUE(h.Window().UserSelect(IDC_AUTO_CAPTURE_MODE, listIndex));
    h.ClearCallLog();
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
  });
}

}  // namespace

TEST(AutoCapture, ATimedRunShowsTheCountdownAndShootsEachTimeTheTargetIsReported) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kClocklessLibrary);
  StartRun(h, 2);
  h.Then([&] {
    headless::HeadlessWindow* d = AutoCaptureDialog(h);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Caption(), u"Timing");
    EXPECT_EQ(d->TimesCentred(), 1);
    EXPECT_EQ(d->Find(IDC_AC_PROGRESS)->progressMinimum, 0);
    EXPECT_EQ(d->Find(IDC_AC_PROGRESS)->progressMaximum, 7);
    EXPECT_TRUE(d->IsControlVisible(IDC_AC_COUNTDOWN));
    EXPECT_EQ(d->Text(IDC_AC_COUNTDOWN), u"0 Sec");
    EXPECT_EQ(d->Text(IDC_AC_SHOT_COUNT), u"Page 0");
    EXPECT_EQ(d->Text(IDC_AC_END), u"Exit");
    EXPECT_FALSE(d->IsControlVisible(IDC_AC_START));
    EXPECT_EQ(h.CallLines(), Lines{"camStartAutoCapture(0,1,7,cb)"});
    EXPECT_EQ(Tick(h, 7), 7);  // 0 .. 6
  });
  h.Then([&] {
    headless::HeadlessWindow* d = AutoCaptureDialog(h);
    EXPECT_EQ(d->ProgressPosition(IDC_AC_PROGRESS), 6);
    EXPECT_EQ(d->Text(IDC_AC_COUNTDOWN), u"6 Sec");
    EXPECT_TRUE(CallsOf(h, "camCaptureImageFile").empty());
    Tick(h, 1 + 8 + 8);  // 7: a shot; then two more rounds of 0 .. 7
  });
  h.Then([&] {
    headless::HeadlessWindow* d = AutoCaptureDialog(h);
    EXPECT_EQ(CallsOf(h, "camCaptureImageFile").size(), 3u);
    EXPECT_EQ(d->Text(IDC_AC_SHOT_COUNT), u"Page 3");
    EXPECT_EQ(h.dialog->Thumbnails().GetItemCount(), 3);
    ASSERT_TRUE(d->UserClick(IDC_AC_END));
  });
  h.Then([&] {
    EXPECT_EQ(AutoCaptureDialog(h), nullptr);
    // End stops the run, and the dialog's destruction stops it again.
    EXPECT_EQ(CallsOf(h, "camStopAutoCapture"),
              (Lines{"camStopAutoCapture(0)", "camStopAutoCapture(0)"}));
    EXPECT_EQ(h.dialog->Link().PendingFiles().size(), 3u);
  });
  h.Run();
}

TEST(AutoCapture, TheListChoosesModeAndTargetAndTheAutomaticModeHasNoCountdown) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kClocklessLibrary);
  StartRun(h, 3);
  h.Then([&] {
    EXPECT_FALSE(AutoCaptureDialog(h)->IsControlVisible(IDC_AC_COUNTDOWN));
    EXPECT_EQ(CallsOf(h, "camStartAutoCapture"), Lines{"camStartAutoCapture(0,0,5,cb)"});
    AutoCaptureDialog(h)->UserClick(IDC_AC_END);
  });
  StartRun(h, 1);
  h.Then([&] {
    EXPECT_TRUE(AutoCaptureDialog(h)->IsControlVisible(IDC_AC_COUNTDOWN));
    EXPECT_EQ(CallsOf(h, "camStartAutoCapture"), Lines{"camStartAutoCapture(0,1,5,cb)"});
    // Command 1028 while the dialog is open opens no second one.
    h.dialog->RunHandler(IDC_AUTO_CAPTURE);
    EXPECT_EQ(CallsOf(h, "camStartAutoCapture").size(), 1u);
    AutoCaptureDialog(h)->UserClick(IDC_AC_END);
  });
  h.Run();
  EXPECT_EQ(std::count(h.host.ui.modalTemplatesRun.begin(), h.host.ui.modalTemplatesRun.end(),
                       IDD_AUTO_CAPTURE),
            2);
}

TEST(AutoCapture, EitherMergeIsSwitchedOffBeforeTheDialogOpens) {
  for (const int mergeBox : {IDC_MERGE, IDC_SECONDARY_MERGE}) {
    CaptureWindowHarness h;
    h.WriteProgramFile("Kelpra.ini", kClocklessLibrary);
    h.Then([&] {
      h.ClickHidden(mergeBox);
      ASSERT_TRUE(h.Window().IsChecked(mergeBox));
    });
    StartRun(h, 1);
    h.Then([&] {
      ASSERT_NE(AutoCaptureDialog(h), nullptr);
      EXPECT_FALSE(h.Window().IsChecked(mergeBox)) << mergeBox;
      EXPECT_FALSE(h.dialog->Merges().Preview()->IsVisible());
      EXPECT_FALSE(h.Window().IsEnabled(IDC_MERGE_SETTINGS));
    });
    h.Run();
  }
}

TEST(AutoCapture, ALibraryWithoutAutoCaptureSaysSoAndTakesNoShot) {
  CaptureWindowHarness::Options options;
  options.partialLibrary = true;
  CaptureWindowHarness h(options);
  StartRun(h, 2);
  h.Then([&] {
    headless::HeadlessWindow* d = AutoCaptureDialog(h);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(h.host.ui.messageBoxes, std::vector<std::u16string>{u"Failed, ErrorCode: -99"});
    EXPECT_FALSE(h.dialog->AutoCaptureRun().Dialog().IsRunning());
    // A late value from some earlier run changes nothing.
    (void)camera::AutoCaptureCallback(7);
  });
  h.Then([&] {
    EXPECT_TRUE(CallsOf(h, "camCaptureImageFile").empty());
    AutoCaptureDialog(h)->UserClick(IDC_AC_END);
  });
  h.Then([&] {
    // A run that never started is stopped all the same, by End and by the
    // dialog's destruction.
    EXPECT_EQ(AutoCaptureDialog(h), nullptr);
    EXPECT_EQ(CallsOf(h, "camStopAutoCapture"),
              (Lines{"camStopAutoCapture(0)", "camStopAutoCapture(0)"}));
  });
  h.Run();
}

TEST(AutoCapture, TheCounterFollowsTheLanguagesWordOrder) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kClocklessLibrary);
  h.Then([&] { ASSERT_TRUE(h.Window().UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"DE"))); });
  StartRun(h, 1);  // target 5
  std::vector<std::u16string> counters;
  for (int round = 0; round < 3; ++round) {
    h.Then([&] {
      counters.push_back(AutoCaptureDialog(h)->Text(IDC_AC_SHOT_COUNT));
      Tick(h, 6);
    });
  }
  h.Then([&] { counters.push_back(AutoCaptureDialog(h)->Text(IDC_AC_SHOT_COUNT)); });
  h.Run();
  EXPECT_EQ(counters, (std::vector<std::u16string>{u"0 Seite", u"1 Seite", u"2 Seiten",
                                                   u"3 Seiten"}));
}

TEST(AutoCapture, ValuesSentJustBeforeEndAreIgnored) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kClocklessLibrary);
  StartRun(h, 2);
  h.Then([&] {
    // The library reaches the target while the user presses End: the values
    // wait on the UI thread behind the click.
    Tick(h, 8);
    AutoCaptureDialog(h)->UserClick(IDC_AC_END);
  });
  h.Then([&] {
    EXPECT_EQ(AutoCaptureDialog(h), nullptr);
    EXPECT_TRUE(CallsOf(h, "camCaptureImageFile").empty());
    EXPECT_EQ(CallsOf(h, "camStopAutoCapture").size(), 2u);
    EXPECT_LT(Tick(h, 1), 0);  // the library's run is over
  });
  h.Run();
}

TEST(AutoCapture, EveryStopReachesTheLibraryAndStartBeginsANewRun) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kClocklessLibrary);
  StartRun(h, 1);
  h.Then([&] {
    headless::HeadlessWindow* d = AutoCaptureDialog(h);
    ASSERT_NE(d, nullptr);
    // The template's hidden Stop and Start buttons: a stopped run is
    // stopped again, and Start begins the next one.
    d->Handler().OnCommand(IDC_AC_STOP, platform::kNotifyClicked);
    d->Handler().OnCommand(IDC_AC_STOP, platform::kNotifyClicked);
    EXPECT_FALSE(h.dialog->AutoCaptureRun().Dialog().IsRunning());
    EXPECT_LT(Tick(h, 1), 0);
    d->Handler().OnCommand(IDC_AC_START, platform::kNotifyClicked);
    EXPECT_TRUE(h.dialog->AutoCaptureRun().Dialog().IsRunning());
    EXPECT_EQ(Tick(h, 6), 6);
  });
  h.Then([&] {
    EXPECT_EQ(CallsOf(h, "camCaptureImageFile").size(), 1u);
    AutoCaptureDialog(h)->UserClick(IDC_AC_END);
  });
  h.Then([&] {
    EXPECT_EQ(CallsOf(h, "camStartAutoCapture"),
              (Lines{"camStartAutoCapture(0,1,5,cb)", "camStartAutoCapture(0,1,5,cb)"}));
    EXPECT_EQ(CallsOf(h, "camStopAutoCapture"), Lines(4, "camStopAutoCapture(0)"));
  });
  h.Run();
}

TEST(AutoCapture, TheDataSourceClosingTheWindowEndsTheRunFirst) {
  for (const int32_t closeCode : {212, 211}) {
    CaptureWindowHarness h;
    h.WriteProgramFile("Kelpra.ini", kClocklessLibrary);
    StartRun(h, 1);
    h.Then([&] { Tick(h, 6); });
    h.Then([&] {
      ASSERT_EQ(CallsOf(h, "camCaptureImageFile").size(), 1u);
      h.dataSource.ClearReceived();
      Tick(h, 6);  // another shot due, still waiting on the UI thread
      h.dataSource.SendCode(closeCode);
    });
    h.Run();
    // Both modal loops have unwound; what was still queued arrives late.
    h.host.ui.RunPostedTasks();
    EXPECT_EQ(CallsOf(h, "camCaptureImageFile").size(), 1u) << closeCode;
    EXPECT_FALSE(h.dialog->AutoCaptureRun().Dialog().IsRunning());
    EXPECT_FALSE(h.dialog->AutoCaptureRun().Dialog().IsOpen());
    // As any close by the data source: 211 is answered with 212, and the
    // link's end follows.
    const Transcript expected =
        closeCode == 212 ? Transcript{"207 END", "212"} : Transcript{"212", "207 END", "212"};
    EXPECT_EQ(h.dataSource.Transcript(), expected) << closeCode;
  }
}

TEST(AutoCapture, AFailedShotWithoutUserInterfaceHandsOverOnceAndEndsTheRun) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kClocklessLibrary);
  h.Then([&] { h.dataSource.SendCode(204, u"NOUI"); });
  StartRun(h, 1);
  h.Then([&] { Tick(h, 6); });
  h.Then([&] {
    h.dataSource.ClearReceived();
    testing_support::KelpraHooks(h.dialog->Camera()).FailNext("camCaptureImageFile", 7, -5);
    Tick(h, 12);  // a failing shot, then one more due behind it
  });
  h.Then([&] {
    EXPECT_EQ(AutoCaptureDialog(h), nullptr);
    EXPECT_EQ(CallsOf(h, "camCaptureImageFile").size(), 1u + 7u);
    EXPECT_FALSE(h.Window().IsVisible());
    h.dataSource.SendCode(212);
  });
  h.Run();
  // The first shot's file reaches the data source once; the close follows.
  ASSERT_EQ(h.dialog->Link().PendingFiles().size(), 1u);
  const std::string file = h.host.os.WideToAnsi(h.dialog->Link().PendingFiles()[0]);
  EXPECT_EQ(h.dataSource.Transcript(),
            (Transcript{"207 BEGIN", "209", "208 " + file, "207 END", "207 END", "212"}));
}

TEST(AutoCapture, ASignalDuringASlowShotIsTakenAfterIt) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kClocklessLibrary);
  h.Then([&] { h.dataSource.SendCode(204, u"NOUI"); });
  StartRun(h, 1);
  bool signalled = false;
  h.Then([&] {
    testing_support::KelpraHooks(h.dialog->Camera()).FailNext("camCaptureImageFile", 2, -5);
    // While the shot waits for the camera, the library signals the next shot
    // and something runs the UI thread's queue (a message box would).
    h.host.os.onSleep = [&](uint32_t) {
      if (signalled) return;
      signalled = true;
      Tick(h, 6);
      h.host.ui.RunPostedTasks();
    };
    Tick(h, 6);
  });
  h.Then([&] {
    const Lines calls = CallsOf(h, "camCaptureImageFile");
    ASSERT_EQ(calls.size(), 4u);  // two failures, the first shot, the second shot
    EXPECT_EQ(calls[0], calls[1]);
    EXPECT_EQ(calls[1], calls[2]);
    EXPECT_NE(calls[2], calls[3]);
    EXPECT_EQ(AutoCaptureDialog(h)->Text(IDC_AC_SHOT_COUNT), u"Page 2");
    EXPECT_EQ(h.dialog->Link().PendingFiles().size(), 2u);
  });
  h.Run();
}

TEST(AutoCapture, ARunGoesOnWithTheMainCameraAfterACameraIsPluggedIn) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kClocklessLibrary);
  StartRun(h, 1);
  h.Then([&] { Tick(h, 6); });
  h.Then([&] {
    h.ClearCallLog();
    ASSERT_GT(testing_support::KelpraHooks(h.dialog->Camera()).PlugDevice(nullptr), 0);
  });
  h.Then([&] {
    // The old run stopped before the cameras closed; a new one started on
    // the reopened main camera.
    const Lines names = h.CallLines(true);
    const auto stop = std::find(names.begin(), names.end(), "camStopAutoCapture");
    const auto close = std::find(names.begin(), names.end(), "camStopCameraLib");
    const auto start = std::find(names.begin(), names.end(), "camStartAutoCapture");
    EXPECT_TRUE(stop < close && close < start && start != names.end());
    EXPECT_TRUE(h.dialog->AutoCaptureRun().Dialog().IsRunning());
    Tick(h, 6);
  });
  h.Then([&] {
    EXPECT_EQ(CallsOf(h, "camCaptureImageFile").size(), 1u);
    EXPECT_EQ(AutoCaptureDialog(h)->Text(IDC_AC_SHOT_COUNT), u"Page 2");
  });
  h.Run();
}
