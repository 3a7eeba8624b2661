// The watermark check box and what the camera library receives: at
// start-up, on a switch, after a device change, with each shot, and across
// a restart of the window.
#include "WatermarkSteps.h"

using namespace watermark_test;

TEST(WatermarkCheckBox, FreshSettingsSendTheWatermarkOffAndGreyTheSettingsButton) {
  CaptureWindowHarness h;
  h.Then([&] {
    const std::string off = "camSetImageWaterMark(0,\"\",4,36,\"\",0,0,0,30,70,255,0,0,0)";
    EXPECT_EQ(WatermarkCalls(h), std::vector<std::string>{off});
    EXPECT_FALSE(h.Window().IsChecked(IDC_WATERMARK));
    EXPECT_FALSE(h.Window().IsEnabled(IDC_WATERMARK_SETTINGS));
  });
  h.Run();
}

TEST(WatermarkCheckBox, CheckingTheBoxSendsTheDefaultsWithTheClocksTimeStamp) {
  CaptureWindowHarness h;
  h.host.os.localTime = {2027, 3, 4, 5, 6, 7, 0};
  h.Then([&] {
    ShowWatermarkControls(h);
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK));
    EXPECT_EQ(LastWatermarkCall(h),
              "camSetImageWaterMark(0,\" 2027-03-04 05:06:07\",4,36,\"Arial\","
              "0,0,0,30,70,255,0,0,1)");
    EXPECT_TRUE(h.Window().IsEnabled(IDC_WATERMARK_SETTINGS));
    EXPECT_TRUE(h.dialog->Watermark().Options().enabled);
  });
  h.Run();
}

TEST(WatermarkCheckBox, SavedOptionsAreSentAtStartUpAndSwitchingOffEmptiesTextAndFont) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.WaterMark.isEnable = true;
  saved.WaterMark.text = "Confidential";
  saved.WaterMark.font = "Courier New";
  saved.WaterMark.WordSize = 48;
  saved.WaterMark.isWeight = true;
  saved.WaterMark.isItalic = false;
  saved.WaterMark.isUnderline = true;
  saved.WaterMark.color = {16, 32, 64};
  saved.WaterMark.transparency = 25;
  saved.WaterMark.angle = 270;
  saved.WaterMark.position = 6;
  saved.WaterMark.isAddTimeStamp = false;
  SaveSettings(h, saved);
  h.Then([&] {
    EXPECT_EQ(WatermarkCalls(h),
              std::vector<std::string>{"camSetImageWaterMark(0,\"Confidential\",6,48,"
                                       "\"Courier New\",0,1,1,270,25,16,32,64,1)"});
    EXPECT_TRUE(h.Window().IsChecked(IDC_WATERMARK));
    EXPECT_TRUE(h.Window().IsEnabled(IDC_WATERMARK_SETTINGS));
    ShowWatermarkControls(h);
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK));
    EXPECT_EQ(LastWatermarkCall(h),
              "camSetImageWaterMark(0,\"\",6,48,\"\",0,1,1,270,25,16,32,64,0)");
    EXPECT_FALSE(h.Window().IsEnabled(IDC_WATERMARK_SETTINGS));
    EXPECT_FALSE(h.dialog->Watermark().Options().enabled);
  });
  h.Run();
}

TEST(WatermarkCheckBox, AStoredColourOutsideTheByteRangeReachesTheLibraryClamped) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.WaterMark.isEnable = true;
  saved.WaterMark.isAddTimeStamp = false;
  saved.WaterMark.text = "Mark";
  saved.WaterMark.color = {300, -20, 256};
  SaveSettings(h, saved);
  h.Then([&] {
    EXPECT_EQ(LastWatermarkCall(h),
              "camSetImageWaterMark(0,\"Mark\",4,36,\"Arial\",0,0,0,30,70,255,0,255,1)");
  });
  h.Run();
}

TEST(WatermarkCheckBox, AfterADeviceChangeTheOptionsAreSentAgainAndTheButtonFollowsTheCheckBox) {
  CaptureWindowHarness h;
  h.Then([&] {
    ShowWatermarkControls(h);
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK));
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.ClearCallLog(), true);
    ASSERT_EQ(hooks.PlugDevice("Second Webcam"), 3);
  });
  // The library's notification reaches the window as a posted task.
  h.Then([&] {
    ASSERT_EQ(h.CallLines(true).front(), "camStopCameraLib");
    EXPECT_EQ(LastWatermarkCall(h),
              "camSetImageWaterMark(0,\" 2026-12-07 09:30:00\",4,36,\"Arial\","
              "0,0,0,30,70,255,0,0,1)");
    EXPECT_TRUE(h.Window().IsChecked(IDC_WATERMARK));
    EXPECT_TRUE(h.Window().IsEnabled(IDC_WATERMARK_SETTINGS));
  });
  h.Run();
}

TEST(WatermarkCheckBox, EachShotCarriesItsOwnTimeStamp) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.WaterMark.isEnable = true;
  saved.WaterMark.text = "Scan";
  SaveSettings(h, saved);
  h.Then([&] {
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_TRUE(hooks.ClearCallLog());
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
    h.host.os.localTime = {2026, 12, 7, 9, 30, 1, 0};
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
    const std::vector<std::string> names = h.CallLines(true);
    ASSERT_EQ(names.size(), 4u) << h.CallLog();
    EXPECT_EQ(names[0], "camSetImageWaterMark");
    EXPECT_EQ(names[1], "camCaptureImageFile");
    EXPECT_EQ(names[2], "camSetImageWaterMark");
    EXPECT_EQ(names[3], "camCaptureImageFile");
    EXPECT_EQ(WatermarkCalls(h),
              (std::vector<std::string>{
                  "camSetImageWaterMark(0,\"Scan 2026-12-07 09:30:00\",4,36,\"Arial\","
                  "0,0,0,30,70,255,0,0,1)",
                  "camSetImageWaterMark(0,\"Scan 2026-12-07 09:30:01\",4,36,\"Arial\","
                  "0,0,0,30,70,255,0,0,1)"}));
  });
  h.Run();
}

TEST(WatermarkCheckBox, WithoutTimeStampOrSwitchedOffAShotSendsNoWatermark) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.WaterMark.isEnable = true;
  saved.WaterMark.isAddTimeStamp = false;
  SaveSettings(h, saved);
  h.Then([&] {
    const size_t before = WatermarkCalls(h).size();
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
    EXPECT_EQ(WatermarkCalls(h).size(), before) << "the library keeps the text it has";
    ShowWatermarkControls(h);
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK_SETTINGS));
  });
  // Time stamp on again, but the watermark switched off.
  h.Then([&] {
    ASSERT_TRUE(WatermarkDialog(h).UserClick(IDC_WM_TIME_STAMP));
    ASSERT_TRUE(WatermarkDialog(h).UserClick(IDOK));
  });
  h.Then([&] {
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK));
    const size_t before = WatermarkCalls(h).size();
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
    EXPECT_EQ(WatermarkCalls(h).size(), before);
  });
  h.Run();
}

TEST(WatermarkCheckBox, EveryOptionSurvivesASaveAndARestartOfTheWindow) {
  CaptureWindowHarness h;
  h.Then([&] {
    ShowWatermarkControls(h);
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK));
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK_SETTINGS));
  });
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    ASSERT_TRUE(d.UserSelect(IDC_WM_FONT, 1));  // "Courier New"
    ASSERT_TRUE(d.UserSelect(IDC_WM_SIZE, 15));  // "48"
    ASSERT_TRUE(d.UserPickColor(IDC_WM_COLOR, 0x00030201));
    ASSERT_TRUE(d.UserMoveSlider(IDC_WM_TRANSPARENCY, 0));
    ASSERT_TRUE(d.UserMoveSlider(IDC_WM_ANGLE, 359));
    ASSERT_TRUE(d.UserClick(IDC_WM_BOLD));
    ASSERT_TRUE(d.UserClick(IDC_WM_UNDERLINE));
    ASSERT_TRUE(d.UserClick(IDC_WM_TIME_STAMP));
    ASSERT_TRUE(d.UserType(IDC_WM_TEXT, u"Brouillon é"));
    ASSERT_TRUE(d.UserClick(IDC_WM_POS_TOP_RIGHT));
    ASSERT_TRUE(d.UserClick(IDOK));
  });
  h.Run();  // closing the window saves the settings

  const std::string file = h.SettingsFileText();
  EXPECT_NE(file.find("<text>Brouillon \xC3\xA9</text>"), std::string::npos) << file;
  EXPECT_NE(file.find("<font>Courier New</font>"), std::string::npos) << file;

  const std::string expected =
      "camSetImageWaterMark(0,\"Brouillon \xE9\",2,48,\"Courier New\",0,1,1,359,0,1,2,3,1)";
  h.Then([&] {
    EXPECT_EQ(WatermarkCalls(h), std::vector<std::string>{expected});
    EXPECT_TRUE(h.Window().IsChecked(IDC_WATERMARK));
    EXPECT_TRUE(h.Window().IsEnabled(IDC_WATERMARK_SETTINGS));
    ShowWatermarkControls(h);
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK_SETTINGS));
  });
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    EXPECT_EQ(d.Text(IDC_WM_FONT), u"Courier New");
    EXPECT_EQ(d.Text(IDC_WM_SIZE), u"48");
    EXPECT_EQ(d.ChosenColor(IDC_WM_COLOR), 0x00030201u);
    EXPECT_EQ(d.SliderPosition(IDC_WM_TRANSPARENCY), 0);
    EXPECT_EQ(d.Text(IDC_WM_TRANSPARENCY_VALUE), u"0%");
    EXPECT_EQ(d.SliderPosition(IDC_WM_ANGLE), 359);
    EXPECT_EQ(d.Text(IDC_WM_ANGLE_VALUE), u"359°");
    EXPECT_TRUE(d.IsChecked(IDC_WM_BOLD));
    EXPECT_FALSE(d.IsChecked(IDC_WM_ITALIC));
    EXPECT_TRUE(d.IsChecked(IDC_WM_UNDERLINE));
    EXPECT_FALSE(d.IsChecked(IDC_WM_TIME_STAMP));
    EXPECT_EQ(d.Text(IDC_WM_TEXT), u"Brouillon é");
    EXPECT_TRUE(d.IsChecked(IDC_WM_POS_TOP_RIGHT));
    d.UserClick(IDCANCEL);
  });
  h.Run();
}
