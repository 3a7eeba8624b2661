// Captures while a merge is on: the two-step pair of the two-picture merge,
// both cameras joined at once, and the secondary camera's picture merged
// into the main one.
#include "CaptureWindowHarness.h"
#include "DeviceSteps.h"
#include "settings/SettingsFile.h"

namespace {

using device_steps::CommandToggle;
using Lines = std::vector<std::string>;

Lines CallsNamed(CaptureWindowHarness& h, const std::string& name) {
  Lines calls;
  for (const std::string& line : h.CallLines()) {
    if (line.rfind(name + "(", 0) == 0) calls.push_back(line);
  }
  return calls;
}

std::u16string Wide(CaptureWindowHarness& h, const std::string& path) {
  return h.host.os.AnsiToWide(path);
}

// A 3000 x 2000 document camera and a 640 x 480 webcam, opened at those
// sizes.
const char kTwoCameras[] =
    "[Device]\nName=Desk\nDpi=300\nFormat=MJPG\nSize=3000x2000\n"
    "[Device]\nName=Webcam\nDpi=96\nFormat=MJPG\nSize=640x480\n";

settings::SessionSettings TwoCameraSettings() {
  settings::SessionSettings saved;
  saved.cutType = 0;
  saved.DPI.MainWidth = 3000;
  saved.DPI.MainHeight = 2000;
  saved.Webcam.WebcamWidth = 640;
  saved.Webcam.WebcamHeight = 480;
  return saved;
}

}  // namespace

TEST(MergeCapture, APairTakesTwoPressesAndPublishesOnlyTheJoinedPicture) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.MergeHV.isEnable = true;
  saved.MergeHV.direction = 1;  // horizontal
  h.SaveSettings(saved);
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_TRUE(w.IsChecked(IDC_MERGE));
    h.host.os.tickCount = 100;
    w.UserClick(IDC_CAPTURE);
    EXPECT_TRUE(h.dialog->Link().PendingFiles().empty());
    EXPECT_FALSE(w.IsEnabled(IDC_COLOR_MODE));
    EXPECT_TRUE(h.dialog->Pipeline().Pair().IsWaitingForSecondPicture());
    EXPECT_TRUE(h.dialog->Merges().PreviewDialog().FirstPane().HasPicture());

    h.host.os.tickCount = 200;
    w.UserClick(IDC_CAPTURE);
    const std::string first = h.WorkFile("1_100.bmp"), second = h.WorkFile("1_200.bmp");
    EXPECT_EQ(CallsNamed(h, "camCombineImage"),
              Lines{"camCombineImage(\"" + first + "\",\"" + second + "\",\"" +
                    h.WorkFile("Merge_200.bmp") + "\",4,0,0,0,0)"});
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              std::vector<std::u16string>{Wide(h, h.WorkFile("Merge_200.bmp"))});
    EXPECT_FALSE(h.host.os.FileExists(Wide(h, first)));
    EXPECT_FALSE(h.host.os.FileExists(Wide(h, second)));
    EXPECT_TRUE(w.IsEnabled(IDC_COLOR_MODE));

    // A third press starts a new pair.
    h.host.os.tickCount = 300;
    w.UserClick(IDC_CAPTURE);
    EXPECT_EQ(h.dialog->Link().PendingFiles().size(), 1u);
    EXPECT_EQ(h.dialog->Pipeline().Pair().FirstPicture(), h.WorkFile("1_300.bmp"));
    EXPECT_TRUE(h.dialog->Pipeline().Pair().SecondPicture().empty());
    EXPECT_FALSE(h.dialog->Merges().PreviewDialog().SecondPane().HasPicture());
  });
  h.Run();
}

TEST(MergeCapture, AFailedJoinSaysSoStartsOverAndKeepsBothShots) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.MergeHV.isEnable = true;
  saved.MergeHV.direction = 2;  // vertical
  h.SaveSettings(saved);
  h.Then([&] {
    h.host.os.tickCount = 300;
    h.Window().UserClick(IDC_CAPTURE);
    h.host.os.tickCount = 400;
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camCombineImage", 1, -9), 0);
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_EQ(h.host.ui.messageBoxes, std::vector<std::u16string>{u"Failed, ErrorCode: -9"});
    EXPECT_EQ(CallsNamed(h, "camCombineImage").size(), 1u);
    EXPECT_NE(CallsNamed(h, "camCombineImage")[0].find(",7,0,0,0,0)"), std::string::npos);
    EXPECT_EQ(h.dialog->Pipeline().Pair().GetState(), capture::TwoPictureMerge::State::Idle);
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              (std::vector<std::u16string>{Wide(h, h.WorkFile("1_300.bmp")),
                                           Wide(h, h.WorkFile("1_400.bmp"))}));
    EXPECT_FALSE(h.dialog->Merges().PreviewDialog().FirstPane().HasPicture());
    EXPECT_TRUE(h.Window().IsEnabled(IDC_COLOR_MODE));
  });
  h.Run();
}

TEST(MergeCapture, AFailedShotIsNoHalfOfAPair) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.MergeHV.isEnable = true;
  h.SaveSettings(saved);
  h.Then([&] {
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camCaptureImageFile", 1, -5), 0);
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_EQ(h.dialog->Pipeline().Pair().GetState(), capture::TwoPictureMerge::State::Idle);
    EXPECT_TRUE(h.Window().IsEnabled(IDC_COLOR_MODE));
    h.Window().UserClick(IDC_CAPTURE);
    ASSERT_EQ(h.dialog->Pipeline().Pair().GetState(), capture::TwoPictureMerge::State::Waiting);
    ASSERT_EQ(hooks.FailNext("camCaptureImageFile", 1, -5), 0);
    h.Window().UserClick(IDC_CAPTURE);
    // Still waiting for a second picture that exists.
    EXPECT_EQ(h.dialog->Pipeline().Pair().GetState(), capture::TwoPictureMerge::State::Waiting);
    EXPECT_TRUE(CallsNamed(h, "camCombineImage").empty());
  });
  h.Run();
}

TEST(MergeCapture, TheSecondaryPictureGoesIntoTheMainOneAsAnInset) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kTwoCameras);
  settings::SessionSettings saved = TwoCameraSettings();
  saved.Webcam.MergeType = 0;
  saved.Webcam.MergePosition = 0;
  h.SaveSettings(saved);
  h.host.os.tickCount = 5000;
  h.Then([&] {
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    ASSERT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
    CommandToggle(h, IDC_SECONDARY_MERGE);
    ASSERT_TRUE(h.Window().IsChecked(IDC_SECONDARY_MERGE));
    h.Window().UserClick(IDC_CAPTURE);
    const std::string main = h.WorkFile("1_5000.bmp"), webcam = h.WorkFile("2_5000.bmp");
    const std::string merged = h.WorkFile("Merge_5000.bmp");
    EXPECT_EQ(CallsNamed(h, "camCombineImage"),
              Lines{"camCombineImage(\"" + main + "\",\"" + webcam + "\",\"" + merged +
                    "\",0,1000,625,1000,750)"});
    EXPECT_EQ(h.dialog->Link().PendingFiles(), std::vector<std::u16string>{Wide(h, merged)});
    EXPECT_FALSE(h.host.os.FileExists(Wide(h, main)));
    EXPECT_FALSE(h.host.os.FileExists(Wide(h, webcam)));
  });
  h.Run();
}

TEST(MergeCapture, BothCamerasThatCannotBeJoinedKeepBothShots) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kTwoCameras);
  settings::SessionSettings saved = TwoCameraSettings();
  saved.MergeHV.isEnable = true;
  h.SaveSettings(saved);
  h.host.os.tickCount = 7000;
  h.Then([&] {
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camCombineImage", 1, -3), 0);
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_EQ(CallsNamed(h, "camCombineImage").size(), 1u);
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              (std::vector<std::u16string>{Wide(h, h.WorkFile("1_7000.bmp")),
                                           Wide(h, h.WorkFile("2_7000.bmp"))}));
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
  h.Run();
}

TEST(MergeCapture, AFirstPictureStillWaitingIsKeptWhenBothCamerasMakeTheNextPair) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kTwoCameras);
  settings::SessionSettings saved = TwoCameraSettings();
  saved.MergeHV.isEnable = true;
  h.SaveSettings(saved);
  h.Then([&] {
    h.host.os.tickCount = 8000;
    h.Window().UserClick(IDC_CAPTURE);
    ASSERT_TRUE(h.dialog->Pipeline().Pair().IsWaitingForSecondPicture());
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    h.host.os.tickCount = 9000;
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              (std::vector<std::u16string>{Wide(h, h.WorkFile("1_8000.bmp")),
                                           Wide(h, h.WorkFile("Merge_9000.bmp"))}));
  });
  h.Run();
}

TEST(MergeCapture, AFailedSecondaryMergeKeepsAndPublishesBothShots) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kTwoCameras);
  settings::SessionSettings saved = TwoCameraSettings();
  saved.Webcam.MergeType = 9;
  h.SaveSettings(saved);
  h.host.os.tickCount = 6000;
  h.Then([&] {
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    CommandToggle(h, IDC_SECONDARY_MERGE);
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camCombineImage", 1, -3), 0);
    h.Window().UserClick(IDC_CAPTURE);
    const Lines combine = CallsNamed(h, "camCombineImage");
    ASSERT_EQ(combine.size(), 1u);
    EXPECT_NE(combine[0].find("\",9,0,0,"), std::string::npos);  // type 9 as it is, at (0, 0)
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              (std::vector<std::u16string>{Wide(h, h.WorkFile("1_6000.bmp")),
                                           Wide(h, h.WorkFile("2_6000.bmp"))}));
    EXPECT_TRUE(h.host.os.FileExists(Wide(h, h.WorkFile("1_6000.bmp"))));
  });
  h.Run();
}

TEST(MergeCapture, WithoutTheSecondarySizeTheShotsArePublishedPlain) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini",
                     "[Device]\nName=Desk\nDpi=300\nFormat=MJPG\nSize=3000x2000\n"
                     "[Device]\nName=Webcam\nDpi=96\nReportedWidth=0\nFormat=MJPG\n"
                     "Size=640x480\n");
  h.SaveSettings(TwoCameraSettings());
  h.host.os.tickCount = 7000;
  h.Then([&] {
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    CommandToggle(h, IDC_SECONDARY_MERGE);
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_TRUE(CallsNamed(h, "camCombineImage").empty());
    EXPECT_EQ(h.dialog->Link().PendingFiles().size(), 2u);
  });
  h.Run();
}

TEST(MergeCapture, BothCamerasWithTheTwoPictureMergeGiveAPairAtOnce) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kTwoCameras);
  settings::SessionSettings saved = TwoCameraSettings();
  saved.MergeHV.isEnable = true;
  saved.MergeHV.direction = 1;
  h.SaveSettings(saved);
  h.host.os.tickCount = 8000;
  h.Then([&] {
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    ASSERT_TRUE(h.Window().IsChecked(IDC_MERGE));
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_EQ(CallsNamed(h, "camCombineImage").size(), 1u);
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              std::vector<std::u16string>{Wide(h, h.WorkFile("Merge_8000.bmp"))});
    EXPECT_EQ(h.dialog->Pipeline().Pair().GetState(), capture::TwoPictureMerge::State::Done);
  });
  h.Run();
}
