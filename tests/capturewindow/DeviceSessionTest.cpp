// The cameras of a session: the main camera and the secondary one, what is
// opened, bound and closed, and the "in use" and "open failed" messages.
// A camera plugged in or removed is HotPlugTest's.
#include "DeviceSteps.h"

namespace {

using namespace device_steps;

// A document camera and a webcam that never opens.
const char kFaultyWebcam[] =
    "[Device]\nName=Desk Camera\nDpi=300\nFormat=MJPG\nSize=640x480\n"
    "[Device]\nName=Faulty Webcam\nOpenFails=-5\nFormat=MJPG\nSize=640x480\n";

std::string Handle(platform::Window* window) {
  return window != nullptr ? std::to_string(window->NativeHandle()) : "none";
}

settings::SessionSettings SecondaryCameraOn() {
  settings::SessionSettings saved;
  saved.Webcam.isEnable = true;
  return saved;
}

TEST(DeviceSession, ChoosingACameraAlreadyInUseSaysSoAndKeepsTheSelection) {
  CaptureWindowHarness h;
  SaveSettings(h, SecondaryCameraOn());
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
    const size_t mark = Mark(h);
    ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 0));  // already the main camera
    ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 1));  // the secondary camera
    EXPECT_EQ(w.Selection(IDC_DEVICE), 0);
    CommandSelect(h, IDC_SECONDARY_DEVICE, 0);
    EXPECT_EQ(w.Selection(IDC_SECONDARY_DEVICE), 1);
    CommandSelect(h, IDC_SECONDARY_DEVICE, 1);
    EXPECT_EQ(w.Selection(IDC_SECONDARY_DEVICE), 1);
    EXPECT_EQ(h.host.ui.messageBoxes, (Texts{u"Busy being used", u"Busy being used",
                                             u"Busy being used", u"Busy being used"}));
    EXPECT_TRUE(CallsSince(h, mark).empty());
    EXPECT_EQ(h.dialog->Devices().MainDeviceIndex(), 0);
    EXPECT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
  });
  h.Run();
}

TEST(DeviceSession, TheSecondaryCameraOpensTheFirstOtherCameraAndClosesIt) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    const capturewindow::DeviceSession& devices = h.dialog->Devices();
    EXPECT_TRUE(w.IsEnabled(IDC_SECONDARY_CAMERA));
    for (int id : {IDC_SECONDARY_DEVICE, IDC_SECONDARY_FRAME_SIZE, IDC_MERGE_SETTINGS,
                   IDC_SECONDARY_MERGE}) {
      EXPECT_FALSE(w.IsEnabled(id)) << id;
    }
    EXPECT_FALSE(devices.SecondaryPreviewHost()->IsVisible());

    size_t mark = Mark(h);
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    // Nothing saved: the webcam opens at 640 x 480 on the second attempt,
    // which is no failure to report.
    EXPECT_EQ(CallsSince(h, mark),
              (Lines{"camCloseDev(-1)", "camSetPreviewWindow(-1,0)", "camOpenDev(1,0,0,0)",
                     "camOpenDev(1,0,640,480)",
                     "camSetPreviewWindow(1," + Handle(devices.SecondaryPreviewHost()) + ")",
                     "camGetCurResolution(1,&,&,&)", "camGetResolutionCount(1,0,&)",
                     "camGetResolution(1,0,0,&,&)", "camGetResolution(1,0,1,&,&)"}));
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    EXPECT_EQ(devices.SecondaryDeviceIndex(), 1);
    EXPECT_EQ(w.Selection(IDC_SECONDARY_DEVICE), 1);
    EXPECT_EQ(Items(h, IDC_SECONDARY_FRAME_SIZE), (Texts{u"640 x 480", u"1280 x 720"}));
    EXPECT_EQ(w.Selection(IDC_SECONDARY_FRAME_SIZE), 0);
    EXPECT_TRUE(devices.SecondaryPreviewHost()->IsVisible());
    EXPECT_TRUE(w.IsControlVisible(IDC_SECONDARY_CAPTURE));
    for (int id : {IDC_SECONDARY_DEVICE, IDC_SECONDARY_FRAME_SIZE, IDC_SECONDARY_MERGE}) {
      EXPECT_TRUE(w.IsEnabled(id)) << id;
    }
    EXPECT_FALSE(w.IsEnabled(IDC_MERGE_SETTINGS));  // the merge is not checked

    mark = Mark(h);
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    EXPECT_EQ(CallsSince(h, mark), (Lines{"camCloseDev(1)", "camSetPreviewWindow(1,0)"}));
    EXPECT_EQ(devices.SecondaryDeviceIndex(), -1);
    EXPECT_FALSE(devices.SecondaryPreviewHost()->IsVisible());
    EXPECT_FALSE(w.IsControlVisible(IDC_SECONDARY_CAPTURE));
    for (int id : {IDC_SECONDARY_DEVICE, IDC_SECONDARY_FRAME_SIZE, IDC_MERGE_SETTINGS,
                   IDC_SECONDARY_MERGE}) {
      EXPECT_FALSE(w.IsEnabled(id)) << id;
    }

    // With the merge checked, its options button comes on with the camera.
    w.SetChecked(IDC_SECONDARY_MERGE, true);
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    EXPECT_TRUE(w.IsEnabled(IDC_MERGE_SETTINGS));
  });
  h.Run();
}

TEST(DeviceSession, ASavedSecondaryCameraOpensAtStartUpAtItsSavedSize) {
  CaptureWindowHarness h;
  settings::SessionSettings saved = SecondaryCameraOn();
  saved.Webcam.WebcamWidth = 1280;
  saved.Webcam.WebcamHeight = 720;
  SaveSettings(h, saved);
  h.Then([&] {
    const Lines calls = CallsSince(h, 0);
    EXPECT_EQ(CountCalls(calls, "camOpenDev(1,0,1280,720)"), 1u);
    EXPECT_EQ(CountCalls(calls, "camOpenDev(1,"), 1u);
    EXPECT_EQ(h.Window().Selection(IDC_SECONDARY_FRAME_SIZE), 1);
    EXPECT_TRUE(h.Window().IsChecked(IDC_SECONDARY_CAMERA));
    EXPECT_TRUE(h.dialog->Devices().SecondaryPreviewHost()->IsVisible());
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
  h.Run();
}

TEST(DeviceSession, TheSecondaryFrameSizeIsSentAndStoredEvenWhenRefused) {
  CaptureWindowHarness h;
  SaveSettings(h, SecondaryCameraOn());
  h.Then([&] {
    size_t mark = Mark(h);
    CommandSelect(h, IDC_SECONDARY_FRAME_SIZE, 1);
    EXPECT_EQ(CallsSince(h, mark),
              (Lines{"camGetResolution(1,0,1,&,&)", "camSetResolution(1,1280,720)"}));
    EXPECT_EQ(h.dialog->Settings().Webcam.WebcamWidth, 1280);
    EXPECT_EQ(h.dialog->Settings().Webcam.WebcamHeight, 720);
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());

    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camSetResolution", 1, -6), 0);
    CommandSelect(h, IDC_SECONDARY_FRAME_SIZE, 0);
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"error"});
    EXPECT_EQ(h.dialog->Settings().Webcam.WebcamWidth, 640);
    EXPECT_EQ(h.dialog->Settings().Webcam.WebcamHeight, 480);

    // A list changed underneath its rows does nothing.
    h.Window().AddItem(IDC_SECONDARY_FRAME_SIZE, u"1920 x 1080");
    mark = Mark(h);
    CommandSelect(h, IDC_SECONDARY_FRAME_SIZE, 2);
    CommandSelect(h, IDC_SECONDARY_FRAME_SIZE, 1);
    EXPECT_TRUE(CallsSince(h, mark).empty());
  });
  h.Then([&] { h.Window().UserClick(IDC_SAVE); });
  h.Run();
  EXPECT_NE(h.SettingsFileText().find("<WebcamWidth>640</WebcamWidth>"), std::string::npos);
}

TEST(DeviceSession, AMainCameraThatDoesNotOpenShowsTheWindowUnlessTheDataSourceShowsIt) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kFaultyWebcam);
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_TRUE(h.dataSource.SendCode(204, u"NOUI"));
    w.Show(false);
    const size_t mark = Mark(h);
    CommandSelect(h, IDC_DEVICE, 1);
    EXPECT_EQ(FirstOf(CallsSince(h, mark), 4),
              (Lines{"camCloseDev(0)", "camOpenDev(1,0,0,0)", "camOpenDev(1,0,640,480)",
                     "camSetPreviewWindow(1," +
                         Handle(h.dialog->Devices().MainPreviewHost()) + ")"}));
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"Open Failed"});
    EXPECT_TRUE(w.IsVisible());
    // The failed camera is still the one in use.
    EXPECT_EQ(h.dialog->Devices().MainDeviceIndex(), 1);

    ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 0));
    ASSERT_TRUE(h.dataSource.SendCode(204, u"SHOWUI"));
    w.Show(false);
    CommandSelect(h, IDC_DEVICE, 1);
    EXPECT_EQ(h.host.ui.messageBoxes, (Texts{u"Open Failed", u"Open Failed"}));
    EXPECT_FALSE(w.IsVisible());
    w.Show(true);
  });
  h.Run();
}

TEST(DeviceSession, ASecondaryCameraThatOpensAtNeitherSizeSaysSo) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kFaultyWebcam);
  h.Then([&] {
    const size_t mark = Mark(h);
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    EXPECT_EQ(FirstOf(CallsSince(h, mark), 4),
              (Lines{"camCloseDev(-1)", "camSetPreviewWindow(-1,0)", "camOpenDev(1,0,0,0)",
                     "camOpenDev(1,0,640,480)"}));
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"Open Failed"});
    EXPECT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
  });
  h.Run();
}

}  // namespace
