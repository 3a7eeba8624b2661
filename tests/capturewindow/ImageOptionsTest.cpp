// The options of the left column as the camera library sees them: each
// choice is sent to the main camera when it changes, at start-up from the
// saved settings, and when the data source pushes its scan settings.
#include <algorithm>

#include "CaptureWindowHarness.h"
#include "settings/SettingsFile.h"

namespace {

using Lines = std::vector<std::string>;

// The lines of the call log that name one of `names`, in their order.
Lines CallsOf(CaptureWindowHarness& h, const std::vector<std::string>& names) {
  Lines picked;
  for (const std::string& line : h.CallLines()) {
    const std::string name = line.substr(0, line.find('('));
    if (std::find(names.begin(), names.end(), name) != names.end()) picked.push_back(line);
  }
  return picked;
}

const std::vector<std::string> kOptionCalls = {
    "camSetImageColorStyle", "camSetImageAdjust",    "camSetImageAutoCrop",
    "camSetImageCusCropRect", "camSetImageFillBorder", "camSetImageRotateMode"};

}  // namespace

TEST(ImageOptions, EachColourModeSendsItsStyleAndAdjustment) {
  CaptureWindowHarness h;
  h.Then([&] {
    const std::vector<std::pair<int, Lines>> expected = {
        {3, {"camSetImageColorStyle(0,2)", "camSetImageAdjust(0,4)"}},
        {2, {"camSetImageColorStyle(0,2)", "camSetImageAdjust(0,1)"}},
        {1, {"camSetImageColorStyle(0,1)", "camSetImageAdjust(0,3)"}},
        {0, {"camSetImageColorStyle(0,0)", "camSetImageAdjust(0,0)"}},
    };
    for (const auto& [item, calls] : expected) {
      h.ClearCallLog();
      ASSERT_TRUE(h.Window().UserSelect(IDC_COLOR_MODE, item));
      EXPECT_EQ(h.CallLines(), calls) << "item " << item;
    }
  });
  h.Run();
}

TEST(ImageOptions, HandCropForcesNoCroppingAndGivesTheCropModeBack) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_TRUE(w.UserSelect(IDC_CROP_MODE, 2));
    h.ClearCallLog();
    ASSERT_TRUE(w.UserClick(IDC_HAND_CROP));
    EXPECT_EQ(h.CallLines(),
              (Lines{"camSetImageCusCropRect(0,0,0,100,100)", "camSetImageAutoCrop(0,0)"}));
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 0);
    EXPECT_EQ(h.dialog->Settings().HandCut, 1);

    h.ClearCallLog();
    ASSERT_TRUE(w.UserClick(IDC_HAND_CROP));
    EXPECT_EQ(h.CallLines(),
              (Lines{"camSetImageCusCropRect(0,0,0,0,0)", "camSetImageAutoCrop(0,2)"}));
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 2);
    EXPECT_EQ(h.dialog->Settings().HandCut, 0);
  });
  h.Run();
}

TEST(ImageOptions, EdgeFillFollowsItsBoxAndIsRecordedAtOnce) {
  CaptureWindowHarness h;
  h.Then([&] {
    h.ClearCallLog();
    ASSERT_TRUE(h.Window().UserClick(IDC_FILL_BORDER));
    EXPECT_EQ(h.dialog->Settings().EdgeBorder, 1);
    ASSERT_TRUE(h.Window().UserClick(IDC_FILL_BORDER));
    EXPECT_EQ(h.dialog->Settings().EdgeBorder, 0);
    EXPECT_EQ(h.CallLines(), (Lines{"camSetImageFillBorder(0,1)", "camSetImageFillBorder(0,0)"}));
  });
  h.Run();
}

TEST(ImageOptions, TheCaptureButtonSaysWhatItWillDoInEveryLanguage) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_EQ(w.Text(IDC_CAPTURE), u"Capture");
    h.ClearCallLog();
    ASSERT_TRUE(w.UserSelect(IDC_AUTO_CAPTURE_MODE, 2));
    EXPECT_EQ(w.Text(IDC_CAPTURE), u"Start");
    EXPECT_EQ(h.CallLog(), "");
    // A language switch names the button after the mode still chosen.
    ASSERT_TRUE(w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"CN")));
    EXPECT_EQ(w.Text(IDC_CAPTURE), u"连拍");
    ASSERT_TRUE(w.UserSelect(IDC_AUTO_CAPTURE_MODE, 0));
    EXPECT_EQ(w.Text(IDC_CAPTURE), u"拍照");
  });
  h.Run();
}

TEST(ImageOptions, TheFileFormatIsSavedAndSendsNothing) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.fileType = 0;
  h.SaveSettings(saved);
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_EQ(w.Selection(IDC_FILE_FORMAT), 0);
    h.ClearCallLog();
    ASSERT_TRUE(w.UserSelect(IDC_FILE_FORMAT, 2));
    EXPECT_EQ(h.CallLog(), "");
    ASSERT_TRUE(w.UserClick(IDC_SAVE));
    EXPECT_NE(h.SettingsFileText().find("<fileType>2</fileType>"), std::string::npos);
  });
  h.Run();
}

TEST(ImageOptions, SavedChoicesReachTheLibraryAtStartUp) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.colorType = 3;
  saved.cutType = 2;
  saved.rotateType = 1;
  saved.EdgeBorder = 1;
  saved.autoCaptureType = 1;
  h.SaveSettings(saved);
  h.Then([&] {
    EXPECT_EQ(CallsOf(h, kOptionCalls),
              (Lines{"camSetImageColorStyle(0,2)", "camSetImageAdjust(0,4)",
                     "camSetImageAutoCrop(0,2)", "camSetImageRotateMode(0,1)",
                     "camSetImageCusCropRect(0,0,0,0,0)", "camSetImageAutoCrop(0,2)",
                     "camSetImageFillBorder(0,1)"}));
    EXPECT_EQ(h.Window().Text(IDC_CAPTURE), u"Start");
    EXPECT_TRUE(h.Window().IsChecked(IDC_FILL_BORDER));
  });
  h.Run();
}

TEST(ImageOptions, SavedIndicesTheListsDoNotOfferSendNothing) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.colorType = 7;
  saved.cutType = 4;
  saved.rotateType = 9;
  h.SaveSettings(saved);
  h.Then([&] {
    EXPECT_EQ(CallsOf(h, kOptionCalls),
              (Lines{"camSetImageCusCropRect(0,0,0,0,0)", "camSetImageFillBorder(0,0)"}));
    EXPECT_EQ(h.Window().Selection(IDC_COLOR_MODE), -1);
    EXPECT_EQ(h.Window().Selection(IDC_ROTATE), -1);
  });
  h.Run();
}

TEST(ImageOptions, APluggedCameraLeavesTheChoicesAsTheyAreOnScreen) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_TRUE(w.UserSelect(IDC_CROP_MODE, 2));
    ASSERT_TRUE(w.UserSelect(IDC_AUTO_CAPTURE_MODE, 1));
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    h.ClearCallLog();
    ASSERT_EQ(hooks.PlugDevice("Visitor"), 3);
  });
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 2);
    // Sent as at start-up: by the crop list's handler, then by hand crop's.
    EXPECT_EQ(CallsOf(h, {"camSetImageAutoCrop"}),
              (Lines{"camSetImageAutoCrop(0,2)", "camSetImageAutoCrop(0,2)"}));
    EXPECT_EQ(w.Selection(IDC_AUTO_CAPTURE_MODE), 1);
    EXPECT_EQ(w.Text(IDC_CAPTURE), u"Start");

    // Hand cropping over a device change still gives the crop mode back.
    ASSERT_TRUE(w.UserClick(IDC_HAND_CROP));
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.PlugDevice("Second visitor"), 4);
  });
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_TRUE(w.IsChecked(IDC_HAND_CROP));
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 0);
    ASSERT_TRUE(w.UserClick(IDC_HAND_CROP));
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 2);
  });
  h.Run();
}

TEST(ImageOptions, TheDataSourcesScanSettingsReachTheLibraryThroughTheHandlers) {
  CaptureWindowHarness h;
  h.Then([&] {
    h.ClearCallLog();
    DSScanSettings settings;
    settings.pixelType = 0;
    settings.resolution = 300.0f;
    settings.rotation = 2;
    settings.autoCrop = 1;
    ASSERT_TRUE(h.dataSource.SendScanSettings(settings));
    // The unit list switches to DPI and its row of 300 DPI is sent.
    std::vector<std::string> names = kOptionCalls;
    names.push_back("camSetImageDPI");
    EXPECT_EQ(CallsOf(h, names),
              (Lines{"camSetImageAutoCrop(0,1)", "camSetImageDPI(0,300,300)",
                     "camSetImageColorStyle(0,2)", "camSetImageAdjust(0,4)",
                     "camSetImageRotateMode(0,2)"}));
    EXPECT_EQ(h.Window().Selection(IDC_UNIT), 1);
    settings.pixelType = 1;
    settings.autoCrop = 0;
    h.ClearCallLog();
    ASSERT_TRUE(h.dataSource.SendScanSettings(settings));
    EXPECT_EQ(CallsOf(h, kOptionCalls),
              (Lines{"camSetImageColorStyle(0,1)", "camSetImageAdjust(0,3)",
                     "camSetImageRotateMode(0,2)"}));
  });
  h.Run();
}
