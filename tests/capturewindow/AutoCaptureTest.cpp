// Automatic shots: the auto-capture dialog over a run of the reference
// library whose values the test hands out one by one (a library without a
// clock), so that every value arrives exactly when the test says. A shot is
// a press of Capture (the capture tests'); here, when shots are taken.
#include "SessionSteps.h"

using namespace steps;

namespace {

// Chooses an auto-capture entry and presses Capture: the dialog opens and
// the steps queued after this one run inside it.
void StartRun(CaptureWindowHarness& h, int listIndex) {
  h.Then([&h, listIndex] {
    ASSERT_TRUE(h.Window().UserSelect(IDC_AUTO_CAPTURE_MODE, listIndex));
    h.ClearCallLog();
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
  });
}

class AutoCapture : public testing::Test {
 protected:
  AutoCapture() { h.WriteProgramFile("Kelpra.ini", "[Library]\nTickMs=0\n"); }

  // The auto-capture dialog while it is open, or null.
  headless::HeadlessWindow* Dialog() {
    headless::HeadlessWindow* modal = h.host.ui.ActiveModal();
    return modal != nullptr && modal->TemplateId() == IDD_AUTO_CAPTURE ? modal : nullptr;
  }
  // The library reports the main camera's next `ticks` values; they reach
  // the window once the current step returns.
  int32_t Tick(int ticks) { return h.Hooks().AutoCaptureTick(0, ticks); }
  size_t Shots() { return Calls(h, {"camCaptureImageFile"}).size(); }
  void End() { ASSERT_TRUE(Dialog()->UserClick(IDC_AC_END)); }

  CaptureWindowHarness h;
};

const Lines kTwoStops = {"camStopAutoCapture(0)", "camStopAutoCapture(0)"};

}  // namespace

TEST_F(AutoCapture, ATimedRunShowsTheCountdownAndShootsEachTimeTheTargetIsReported) {
  StartRun(h, 2);
  h.Then([&] {
    headless::HeadlessWindow* d = Dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->TimesCentred(), 1);
    EXPECT_EQ(d->Find(IDC_AC_PROGRESS)->progressMinimum, 0);
    EXPECT_EQ(d->Find(IDC_AC_PROGRESS)->progressMaximum, 7);
    EXPECT_EQ(Shown(*d, {IDC_AC_COUNTDOWN, IDC_AC_START}), "10");
    EXPECT_EQ(Calls(h), Lines{"camStartAutoCapture(0,1,7,cb)"});
    EXPECT_EQ(Tick(7), 7);  // 0 .. 6
  });
  h.Then([&] {
    EXPECT_EQ(Dialog()->ProgressPosition(IDC_AC_PROGRESS), 6);
    EXPECT_EQ(Dialog()->Text(IDC_AC_COUNTDOWN), u"6 Sec");
    EXPECT_EQ(Shots(), 0u);
    Tick(1 + 8 + 8);  // 7: a shot; then two more rounds of 0 .. 7
  });
  h.Then([&] {
    EXPECT_EQ(Shots(), 3u);
    EXPECT_EQ(Dialog()->Text(IDC_AC_SHOT_COUNT), u"Page 3");
    // The library reaches the target while the user presses End: the values
    // wait on the UI thread behind the click and are ignored.
    Tick(8);
    End();
  });
  h.RunWith([&] {
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(Shots(), 3u);
    // End stops the run, and the dialog's destruction stops it again.
    EXPECT_EQ(Calls(h, {"camStopAutoCapture"}), kTwoStops);
  });
}

TEST_F(AutoCapture, TheListChoosesModeAndTargetAndEitherMergeIsSwitchedOffFirst) {
  h.Then([&] { h.ClickHidden(IDC_MERGE); });
  StartRun(h, 3);
  h.Then([&] {
    EXPECT_FALSE(h.Window().IsChecked(IDC_MERGE));
    // The automatic mode has no countdown.
    EXPECT_FALSE(Dialog()->IsControlVisible(IDC_AC_COUNTDOWN));
    EXPECT_EQ(Calls(h, {"camStartAutoCapture"}), Lines{"camStartAutoCapture(0,0,5,cb)"});
    // Stop ends the run and offers Start again.
    EXPECT_EQ(Enabled(*Dialog(), {IDC_AC_START, IDC_AC_STOP}), "01");
    Dialog()->Handler().OnCommand(IDC_AC_STOP, platform::kNotifyClicked);
    EXPECT_EQ(Enabled(*Dialog(), {IDC_AC_START, IDC_AC_STOP}), "10");
    // Space takes no picture in the dialog.
    h.ClearCallLog();
    EXPECT_FALSE(Dialog()->UserPressKey(platform::kWholeWindow, platform::kKeySpace));
    EXPECT_EQ(Calls(h), Lines{});
    EXPECT_TRUE(h.dialog->Link().PendingFiles().empty());
    End();
    h.ClickHidden(IDC_SECONDARY_MERGE);
    ASSERT_TRUE(h.Window().IsChecked(IDC_SECONDARY_MERGE));
  });
  StartRun(h, 1);
  h.RunWith([&] {
    EXPECT_FALSE(h.Window().IsChecked(IDC_SECONDARY_MERGE));
    EXPECT_FALSE(h.Window().IsEnabled(IDC_MERGE_SETTINGS));
    EXPECT_TRUE(Dialog()->IsControlVisible(IDC_AC_COUNTDOWN));
    EXPECT_EQ(Calls(h, {"camStartAutoCapture"}), Lines{"camStartAutoCapture(0,1,5,cb)"});
    // Command 1028 while the dialog is open opens no second one.
    h.dialog->RunHandler(IDC_AUTO_CAPTURE);
    EXPECT_EQ(Calls(h, {"camStartAutoCapture"}).size(), 1u);
    End();
  });
  const std::vector<int>& opened = h.host.ui.modalTemplatesRun;
  EXPECT_EQ(std::count(opened.begin(), opened.end(), IDD_AUTO_CAPTURE), 2);
}

TEST(AutoCaptureWithoutTheExport, SaysSoTakesNoShotAndStopsTheRunAllTheSame) {
  CaptureWindowHarness::Options options;
  options.partialLibrary = true;
  CaptureWindowHarness h(options);
  StartRun(h, 2);
  h.Then([&] {
    Modal(h, IDD_AUTO_CAPTURE);
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"Failed, ErrorCode: -99"});
    EXPECT_FALSE(h.dialog->AutoCaptureRun().Dialog().IsRunning());
    // A late value from some earlier run changes nothing.
    (void)camera::AutoCaptureCallback(7);
  });
  h.Then([&] {
    EXPECT_EQ(Calls(h, {"camCaptureImageFile"}), Lines{});
    Modal(h, IDD_AUTO_CAPTURE).UserClick(IDC_AC_END);
  });
  // A run that never started is stopped by End and by the dialog's end.
  h.RunWith([&] {
    EXPECT_EQ(h.host.ui.ActiveModal(), &h.Window());
    EXPECT_EQ(Calls(h, {"camStopAutoCapture"}), kTwoStops);
  });
}

class AutoCaptureClosedByTheDataSource : public AutoCapture,
                                         public testing::WithParamInterface<int> {};

TEST_P(AutoCaptureClosedByTheDataSource, EndsTheRunFirstAndTakesNoShotThatWasDue) {
  StartRun(h, 1);
  h.Then([&] { Tick(6); });
  h.RunWith([&] {
    ASSERT_EQ(Shots(), 1u);
    h.dataSource.ClearReceived();
    Tick(6);  // another shot due, still waiting on the UI thread
    h.dataSource.SendCode(GetParam());
  });
  // Both modal loops have unwound; what was still queued arrives late.
  h.host.ui.RunPostedTasks();
  EXPECT_EQ(Shots(), 1u);
  EXPECT_FALSE(h.dialog->AutoCaptureRun().Dialog().IsRunning());
  EXPECT_FALSE(h.dialog->AutoCaptureRun().Dialog().IsOpen());
  // As any close by the data source: 211 is answered with 212, and the
  // link's end follows.
  EXPECT_EQ(h.dataSource.Transcript(), (GetParam() == 212 ? Transcript{"207 END", "212"}
                                                          : Transcript{"212", "207 END", "212"}));
}

INSTANTIATE_TEST_SUITE_P(AutoCapture, AutoCaptureClosedByTheDataSource, testing::Values(212, 211));

TEST_F(AutoCapture, ASignalDuringASlowShotIsTakenAfterItAndAShotFailedWithoutUiEndsTheRun) {
  h.Then([&] { h.dataSource.SendCode(204, u"NOUI"); });
  StartRun(h, 1);
  bool signalled = false;
  h.Then([&] {
    h.Hooks().FailNext("camCaptureImageFile", 2, -5);
    // While the shot waits for the camera, the library signals the next shot
    // and something runs the UI thread's queue (a message box would).
    h.host.os.onSleep = [&](uint32_t) {
      if (signalled) return;
      signalled = true;
      Tick(6);
      h.host.ui.RunPostedTasks();
    };
    Tick(6);
  });
  h.Then([&] {
    const Lines calls = Calls(h, {"camCaptureImageFile"});
    ASSERT_EQ(calls.size(), 4u);  // two failures, the first shot, the second shot
    EXPECT_EQ(calls[0], calls[1]);
    EXPECT_EQ(calls[1], calls[2]);
    EXPECT_NE(calls[2], calls[3]);
    EXPECT_EQ(Dialog()->Text(IDC_AC_SHOT_COUNT), u"Page 2");
    EXPECT_EQ(h.dialog->Link().PendingFiles().size(), 2u);
    h.dataSource.ClearReceived();
    h.Hooks().FailNext("camCaptureImageFile", 7, -5);
    Tick(12);  // a shot failing every try, then one more due behind it
  });
  h.RunWith([&] {
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(Shots(), 4u + 7u);
    EXPECT_FALSE(h.Window().IsVisible());
    h.dataSource.SendCode(212);
  });
  // The files reach the data source once; the close follows.
  const Texts& files = h.dialog->Link().PendingFiles();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(h.dataSource.Transcript(),
            (Transcript{"207 BEGIN", "209", "208 " + h.host.os.WideToAnsi(files[0]), "209",
                        "208 " + h.host.os.WideToAnsi(files[1]), "207 END", "207 END", "212"}));
}

TEST_F(AutoCapture, ARunGoesOnAfterACameraIsPluggedInAndItsCounterFollowsTheWordOrder) {
  h.Then([&] { ASSERT_TRUE(h.Window().UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"DE"))); });
  StartRun(h, 1);
  h.Then([&] { Tick(6); });
  h.Then([&] {
    EXPECT_EQ(Dialog()->Text(IDC_AC_SHOT_COUNT), u"1 Seite");
    h.ClearCallLog();
    ASSERT_GT(h.Hooks().PlugDevice(nullptr), 0);
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
    Tick(6);
  });
  h.RunWith([&] {
    EXPECT_EQ(Shots(), 1u);
    EXPECT_EQ(Dialog()->Text(IDC_AC_SHOT_COUNT), u"2 Seiten");
  });
}
