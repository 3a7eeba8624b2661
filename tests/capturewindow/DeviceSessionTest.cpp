// The cameras of a session: the main camera and the secondary one, what is
// opened, bound and closed, the "in use" and "open failed" messages, and a
// camera unplugged or plugged in while the window runs: the camera opened
// afterwards gets the choices the window shows, and the secondary camera
// comes back with a second camera, as the user left it.
#include "SessionSteps.h"

using namespace steps;

namespace {

using DeviceSession = WindowTest;
using HotPlug = WindowTest;

// A document camera and a webcam that never opens.
const char kFaultyWebcam[] =
    "[Device]\nName=Desk Camera\nDpi=300\nFormat=MJPG\nSize=640x480\n"
    "[Device]\nName=Faulty Webcam\nOpenFails=-5\nFormat=MJPG\nSize=640x480\n";

// The secondary camera as the user sees it: its check box checked and
// enabled, its picture and its capture button shown, and its list, sizes,
// merge options button and merge box enabled.
std::string SecondaryCamera(CaptureWindowHarness& h) {
  auto& w = h.Window();
  const bool picture = h.dialog->Devices().SecondaryPreviewHost()->IsVisible();
  return Checked(w, {IDC_SECONDARY_CAMERA}) + Enabled(w, {IDC_SECONDARY_CAMERA}) + " " +
         (picture ? "1" : "0") + Shown(w, {IDC_SECONDARY_CAPTURE}) + " " +
         Enabled(w, {IDC_SECONDARY_DEVICE, IDC_SECONDARY_FRAME_SIZE, IDC_MERGE_SETTINGS,
                     IDC_SECONDARY_MERGE});
}

settings::SessionSettings SecondaryCameraOn(int width = 0, int height = 0) {
  settings::SessionSettings saved;
  saved.Webcam.isEnable = true;
  saved.Webcam.WebcamWidth = width;
  saved.Webcam.WebcamHeight = height;
  return saved;
}

}  // namespace

// The webcam unplugged and plugged in again as "Visitor" first: a plugged
// camera waits for the user to be the secondary camera.
TEST_F(DeviceSession, TheSecondaryCameraOpensThePluggedInCameraOnlyWhenAskedAndClosesIt) {
  h.Then([&] { EXPECT_EQ(h.Hooks().UnplugDevice(1), 1); });
  h.Then([&] {
    EXPECT_FALSE(h.Window().IsEnabled(IDC_SECONDARY_CAMERA));
    EXPECT_EQ(h.Hooks().PlugDevice("Visitor"), 2);
  });
  h.RunWith([&](auto& w) {
    const capturewindow::DeviceSession& devices = h.dialog->Devices();
    EXPECT_EQ(SecondaryCamera(h), "01 00 0000");
    EXPECT_EQ(devices.SecondaryDeviceIndex(), -1);

    // Nothing saved: the webcam opens at 640 x 480 on the second attempt,
    // which is no failure to report.
    EXPECT_EQ(CallsDuring(h, [&] { h.ClickHidden(IDC_SECONDARY_CAMERA); }),
              (Lines{"camCloseDev(-1)", "camSetPreviewWindow(-1,0)", "camOpenDev(1,0,0,0)",
                     "camOpenDev(1,0,640,480)",
                     "camSetPreviewWindow(1," + Handle(devices.SecondaryPreviewHost()) + ")",
                     "camGetCurResolution(1,&,&,&)", "camGetResolutionCount(1,0,&)",
                     "camGetResolution(1,0,0,&,&)", "camGetResolution(1,0,1,&,&)"}));
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    EXPECT_EQ(w.Selection(IDC_SECONDARY_DEVICE), 1);
    EXPECT_EQ(w.ItemText(IDC_SECONDARY_DEVICE, 1), u"Visitor");
    EXPECT_EQ(Items(h, IDC_SECONDARY_FRAME_SIZE), (Texts{u"640 x 480", u"1280 x 720"}));
    EXPECT_EQ(w.Selection(IDC_SECONDARY_FRAME_SIZE), 0);
    EXPECT_EQ(SecondaryCamera(h), "11 11 1101");  // the merge is not checked

    EXPECT_EQ(CallsDuring(h, [&] { h.ClickHidden(IDC_SECONDARY_CAMERA); }),
              (Lines{"camCloseDev(1)", "camSetPreviewWindow(1,0)"}));
    EXPECT_EQ(devices.SecondaryDeviceIndex(), -1);
    EXPECT_EQ(SecondaryCamera(h), "01 00 0000");

    // With the merge checked, its options button comes on with the camera.
    w.SetChecked(IDC_SECONDARY_MERGE, true);
    h.ClickHidden(IDC_SECONDARY_CAMERA);
    EXPECT_EQ(SecondaryCamera(h), "11 11 1111");
  });
}

TEST_F(DeviceSession, ASavedSecondaryCameraOpensAtItsSizeWhichIsStoredEvenWhenRefused) {
  h.SaveSettings(SecondaryCameraOn(1280, 720));
  h.RunWith([&](auto& w) {
    // A camera already in use cannot be chosen again.
    const size_t inUse = Mark(h);
    ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 0));  // already the main camera
    ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 1));  // the secondary camera
    EXPECT_EQ(w.Selection(IDC_DEVICE), 0);
    CommandSelect(h, IDC_SECONDARY_DEVICE, 0);
    EXPECT_EQ(w.Selection(IDC_SECONDARY_DEVICE), 1);
    CommandSelect(h, IDC_SECONDARY_DEVICE, 1);
    EXPECT_EQ(w.Selection(IDC_SECONDARY_DEVICE), 1);
    EXPECT_EQ(h.host.ui.messageBoxes, Texts(4, u"Busy being used"));
    EXPECT_EQ(Calls(h, {}, inUse), Lines{});
    h.host.ui.messageBoxes.clear();

    EXPECT_EQ(Count(Calls(h, {"camOpenDev"}), "camOpenDev(1,"), 1u);
    EXPECT_EQ(Count(Calls(h), "camOpenDev(1,0,1280,720)"), 1u);
    EXPECT_EQ(h.Window().Selection(IDC_SECONDARY_FRAME_SIZE), 1);
    // The text pass keeps its capture button hidden; restored, the merge
    // options button is enabled with the camera.
    EXPECT_EQ(SecondaryCamera(h), "11 10 1111");

    EXPECT_EQ(CallsDuring(h, [&] { CommandSelect(h, IDC_SECONDARY_FRAME_SIZE, 0); }),
              (Lines{"camGetResolution(1,0,0,&,&)", "camSetResolution(1,640,480)"}));
    EXPECT_EQ(h.dialog->Settings().Webcam.WebcamWidth, 640);
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    h.Hooks().FailNext("camSetResolution", 1, -6);
    CommandSelect(h, IDC_SECONDARY_FRAME_SIZE, 1);
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"error"});
    EXPECT_EQ(h.dialog->Settings().Webcam.WebcamWidth, 1280);
    EXPECT_EQ(h.dialog->Settings().Webcam.WebcamHeight, 720);

    // A list changed underneath its rows does nothing.
    h.Window().AddItem(IDC_SECONDARY_FRAME_SIZE, u"1920 x 1080");
    const size_t mark = Mark(h);
    CommandSelect(h, IDC_SECONDARY_FRAME_SIZE, 2);
    CommandSelect(h, IDC_SECONDARY_FRAME_SIZE, 0);
    EXPECT_EQ(Calls(h, {}, mark), Lines{});
    h.Window().UserClick(IDC_SAVE);
  });
  EXPECT_TRUE(SettingsFileHas(h, "<WebcamWidth>1280</WebcamWidth>"));
}

TEST_F(DeviceSession, ACameraThatDoesNotOpenSaysSoAndTheWindowShowsUnlessTheDataSourceShowsIt) {
  h.WriteProgramFile("Kelpra.ini", kFaultyWebcam);
  h.RunWith([&](auto& w) {
    // As the secondary camera it opens at neither size.
    EXPECT_EQ(FirstOf(CallsDuring(h, [&] { h.ClickHidden(IDC_SECONDARY_CAMERA); }), 4),
              (Lines{"camCloseDev(-1)", "camSetPreviewWindow(-1,0)", "camOpenDev(1,0,0,0)",
                     "camOpenDev(1,0,640,480)"}));
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"Open Failed"});
    EXPECT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
    h.ClickHidden(IDC_SECONDARY_CAMERA);

    ASSERT_TRUE(h.dataSource.SendCode(204, u"NOUI"));
    w.Show(false);
    EXPECT_EQ(
        FirstOf(CallsDuring(h, [&] { CommandSelect(h, IDC_DEVICE, 1); }), 4),
        (Lines{"camCloseDev(0)", "camOpenDev(1,0,0,0)", "camOpenDev(1,0,640,480)",
               "camSetPreviewWindow(1," + Handle(h.dialog->Devices().MainPreviewHost()) + ")"}));
    EXPECT_EQ(h.host.ui.messageBoxes, Texts(2, u"Open Failed"));
    EXPECT_TRUE(w.IsVisible());
    // The failed camera is still the one in use.
    EXPECT_EQ(h.dialog->Devices().MainDeviceIndex(), 1);

    ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 0));
    ASSERT_TRUE(h.dataSource.SendCode(204, u"SHOWUI"));
    w.Show(false);
    CommandSelect(h, IDC_DEVICE, 1);
    EXPECT_EQ(h.host.ui.messageBoxes, Texts(3, u"Open Failed"));
    EXPECT_FALSE(w.IsVisible());
    w.Show(true);
  });
}

TEST_F(HotPlug, UnpluggingTheDocumentCameraGivesTheWebcamEveryChoiceTheWindowShows) {
  settings::SessionSettings saved;
  saved.Webcam.isMerge = true;
  h.SaveSettings(saved);
  size_t mark = 0;
  h.Then([&](auto& w) {
    ASSERT_TRUE(w.UserSelect(IDC_COLOR_MODE, 1));  // grey
    ASSERT_TRUE(w.UserSelect(IDC_ROTATE, 1));      // a quarter turn
    ASSERT_TRUE(w.UserClick(IDC_FILL_BORDER));
    ASSERT_TRUE(w.UserSelect(IDC_CROP_MODE, 2));
    ASSERT_TRUE(w.UserClick(IDC_HAND_CROP));  // no cropping while it is on
    ASSERT_TRUE(w.UserSelect(IDC_AUTO_CAPTURE_MODE, 1));
    ASSERT_TRUE(w.IsChecked(IDC_SECONDARY_MERGE));
    ASSERT_TRUE(w.UserClick(IDC_MERGE));  // unchecks the secondary merge
    ShowWatermarkControls(h);
    ASSERT_TRUE(w.UserClick(IDC_WATERMARK));
    mark = Mark(h);
    ASSERT_EQ(h.Hooks().UnplugDevice(0), 1);
  });
  // The library's notification reaches the window as a posted task.
  h.RunWith([&](auto& w) {
    ASSERT_EQ(Items(h, IDC_DEVICE), Texts{u"Kelpra Webcam"});
    // The webcam, now the main camera, is opened first and then hears every
    // choice, as a camera does at start-up: the crop list's, then hand crop's.
    EXPECT_EQ(Calls(h,
                    {"camOpenDev", "camSetImageColorStyle", "camSetImageAdjust",
                     "camSetImageAutoCrop", "camSetImageCusCropRect", "camSetImageFillBorder",
                     "camSetImageRotateMode", "camSetImageWaterMark"},
                    mark),
              (Lines{"camOpenDev(0,0,0,0)", "camOpenDev(0,0,640,480)",
                     "camSetImageColorStyle(0,1)", "camSetImageAdjust(0,3)",
                     "camSetImageAutoCrop(0,0)", "camSetImageRotateMode(0,1)",
                     "camSetImageWaterMark(0,\" 2026-12-07 09:30:00\",4,36,\"Arial\",0,0,0,30,70,255,0,0,1)",
                     "camSetImageCusCropRect(0,0,0,100,100)", "camSetImageAutoCrop(0,0)",
                     "camSetImageFillBorder(0,1)"}));
    EXPECT_EQ(Checked(w, {IDC_HAND_CROP, IDC_FILL_BORDER, IDC_MERGE, IDC_SECONDARY_MERGE,
                          IDC_WATERMARK}),
              "11101");
    EXPECT_EQ(w.Selection(IDC_COLOR_MODE), 1);
    EXPECT_EQ(w.Selection(IDC_ROTATE), 1);
    EXPECT_EQ(w.Selection(IDC_AUTO_CAPTURE_MODE), 1);
    EXPECT_EQ(w.Text(IDC_CAPTURE), u"Start");
    EXPECT_TRUE(w.IsEnabled(IDC_WATERMARK_SETTINGS));
    EXPECT_TRUE(h.dialog->Merges().Preview()->IsVisible());
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    // Hand cropping over the device change still gives the crop mode back.
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 0);
    ASSERT_TRUE(w.UserClick(IDC_HAND_CROP));
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 2);
  });
}

// The second camera, before it is plugged in, was absent at start-up (true)
// or unplugged during the session.
class SecondaryCameraComesBack : public testing::TestWithParam<bool> {};

TEST_P(SecondaryCameraComesBack, WithTheSecondCameraAndIsSavedAsOn) {
  const bool absentAtStartUp = GetParam();
  CaptureWindowHarness h;
  if (absentAtStartUp) {
    h.WriteProgramFile("Kelpra.ini", "[Device]\nName=Desk Camera\nFormat=MJPG\nSize=640x480\n");
  }
  h.SaveSettings(SecondaryCameraOn(1280, 720));
  size_t mark = 0;
  h.Then([&] {
    mark = Mark(h);
    if (!absentAtStartUp) {
      ASSERT_TRUE(h.Window().UserSelect(IDC_UNIT, 1));
      h.Window().SetChecked(IDC_SECONDARY_MERGE, true);
      mark = Mark(h);
      ASSERT_EQ(h.Hooks().UnplugDevice(1), 1);
    }
  });
  h.Then([&](auto& w) {
    ASSERT_EQ(w.ItemCount(IDC_DEVICE), 1);
    if (!absentAtStartUp) {
      // The session is rebuilt, and the choices shown stay.
      EXPECT_EQ(FirstOf(Calls(h, {}, mark), 7),
                (Lines{"camStopCameraLib()", "camUpdateCameraLib()", "camGetDevCount(&)",
                       "camGetDevName(0)", "camCloseDev(-1)", "camOpenDev(0,0,0,0)",
                       "camOpenDev(0,0,640,480)"}));
      EXPECT_EQ(Items(h, IDC_SECONDARY_DEVICE), Texts{u"Kelpra Document Camera"});
      EXPECT_EQ(w.Selection(IDC_UNIT), 1);
      EXPECT_EQ(Items(h, IDC_FRAME_SIZE), (Texts{u"300", u"260", u"250", u"200", u"100"}));
      EXPECT_TRUE(w.IsChecked(IDC_SECONDARY_MERGE));
      EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    }
    // The check stays as the user left it; nothing of the camera is shown
    // or usable while it is missing, and no camera is opened for it.
    EXPECT_EQ(SecondaryCamera(h), "10 00 0000");
    EXPECT_EQ(Count(Calls(h, {}, mark), "camOpenDev(1,"), 0u);
    EXPECT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), -1);
    ASSERT_TRUE(w.UserClick(IDC_SAVE));
    EXPECT_TRUE(SavedSettings(h).Webcam.isEnable);
    mark = Mark(h);
    ASSERT_EQ(h.Hooks().PlugDevice("Visitor"), 2);
  });
  h.RunWith([&](auto& w) {
    // The plugged camera opens at the saved size in the secondary camera's
    // picture.
    const Lines calls = Calls(h, {}, mark);
    EXPECT_EQ(Count(calls, "camOpenDev(1,"), 1u);
    EXPECT_EQ(FirstOf(FromLast(calls, "camOpenDev(1,"), 2),
              (Lines{"camOpenDev(1,0,1280,720)",
                     "camSetPreviewWindow(1," + Handle(h.dialog->Devices().SecondaryPreviewHost()) + ")"}));
    EXPECT_EQ(w.ItemText(IDC_SECONDARY_DEVICE, 1), u"Visitor");
    EXPECT_EQ(SecondaryCamera(h), "11 11 1111");
  });
  EXPECT_TRUE(SavedSettings(h).Webcam.isEnable);
}

INSTANTIATE_TEST_SUITE_P(HotPlug, SecondaryCameraComesBack, testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "AbsentAtStartUp" : "UnpluggedDuringTheSession");
});
