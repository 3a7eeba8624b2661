// The capture window's start-up and close as the camera library, the data
// source and the user see them.
#include <gtest/gtest-spi.h>

#include <tuple>

#include "SessionSteps.h"

using namespace steps;

using Startup = WindowTest;

// The program folder has no camera library, or a file of its name that is
// none.
class StartupWithoutLibrary : public testing::TestWithParam<const char*> {};

TEST_P(StartupWithoutLibrary, TheWindowOpensEmptyKeepsTheCurrentFolderAndSavesNothing) {
  CaptureWindowHarness::Options options;
  options.withLibrary = false;
  CaptureWindowHarness h(options);
  if (*GetParam() != '\0') h.WriteProgramFile("Kelpra.dll", GetParam());
  const std::filesystem::path before = std::filesystem::current_path();
  h.RunWith([&] {
    EXPECT_TRUE(h.Window().IsVisible());
    EXPECT_FALSE(h.Window().IsEnabled(IDC_EXIT));
    EXPECT_EQ(h.Window().ItemCount(IDC_FILE_FORMAT), 3);
    EXPECT_FALSE(h.dialog->IsStartUpComplete());
    EXPECT_EQ(std::filesystem::current_path(), before);
    h.Window().UserClick(IDC_SAVE);
    h.Window().UserClose();
  });
  EXPECT_EQ(h.host.os.standardOutput, "LoadLibrary failed\n");
  EXPECT_TRUE(h.dataSource.Received().empty());
  EXPECT_FALSE(std::filesystem::exists(h.ProgramFile("LastSetting.xml")));
}

INSTANTIATE_TEST_SUITE_P(MissingOrBroken, StartupWithoutLibrary,
                         testing::Values("", "not a library"));

// The library does not initialise, or the receiving window cannot be made:
// the start-up says so, cancels and leaves the settings as they were. A
// check queued for the modal loop is no check when the loop never comes:
// the harness fails the test that queued it.
void CancelledStartUp(bool libraryFails) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.colorType = 2;
  h.SaveSettings(saved);
  const std::string before = h.SettingsFileText();
  if (libraryFails) {
    h.WriteProgramFile("Kelpra.ini", "[Library]\nFail=camInitCameraLib,1,-7\n");
  } else {
    h.host.ui.refusedTemplates.push_back(IDD_RECEIVE_DS_MESSAGES);
  }
  h.Then([] {});
  h.Then([] {});
  EXPECT_EQ(h.Run(), platform::kIdCancel);
  EXPECT_EQ(h.host.ui.messageBoxes,
            libraryFails ? Texts{u"Failed, ErrorCode: -7"}
                         : Texts{u"Prismel can't find TwainDS or missing configuration file."});
  EXPECT_EQ(h.host.ui.idleCloses, 0);
  EXPECT_TRUE(h.dataSource.Received().empty());
  EXPECT_EQ(h.SettingsFileText(), before);
  EXPECT_FALSE(h.host.desktop.HasWindowTitled(u"TWAINDSUIWINDOWS"));
}

class StartupThatCancels : public testing::TestWithParam<bool> {};

TEST_P(StartupThatCancels, ShowsWhySavesNothingAndFailsTheStepsThatNeverRan) {
  // The checked statement may use no local variable but a static one.
  static bool libraryFails;
  libraryFails = GetParam();
  EXPECT_NONFATAL_FAILURE(CancelledStartUp(libraryFails), "2 queued step(s) never ran");
}

INSTANTIATE_TEST_SUITE_P(Startup, StartupThatCancels, testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "LibraryInitialisationFails" : "ConnectFails");
});

TEST_F(Startup, AStartedWindowShowsItsVersionAndSavesOnSaveAndAtClose) {
  h.Then([&] { CaptureAt(h, 10); });
  h.RunWith([&](auto& w) {
    // The watermark starts off: sent without text and font, its settings
    // button disabled.
    EXPECT_EQ(Calls(h, {"camSetImageWaterMark"}),
              Lines{"camSetImageWaterMark(0,\"\",4,36,\"\",0,0,0,30,70,255,0,0,0)"});
    EXPECT_FALSE(w.IsEnabled(IDC_WATERMARK_SETTINGS));
    EXPECT_EQ(Calls(h, {"camSetImageFillBorder"}), Lines{"camSetImageFillBorder(0,0)"});
    EXPECT_EQ(w.GetStatusBar().text, u"Version : 1.2.3.4");
    ASSERT_EQ(w.SystemMenu().size(), 1u);
    EXPECT_EQ(w.SystemMenu()[0].text, u"About Tessivue(&A)...");
    EXPECT_EQ(w.IconId(), IDR_MAINFRAME);
    EXPECT_EQ(w.TimesCentred(), 1);
    EXPECT_EQ(w.Selection(IDC_LANGUAGE), h.LanguageIndex(u"EN"));
    ASSERT_TRUE(w.ButtonColorsOf(IDC_CAPTURE));
    EXPECT_EQ(w.ButtonColorsOf(IDC_CAPTURE)->face, 0x00D35408u);
    EXPECT_EQ(w.ButtonColorsOf(IDC_CAPTURE)->text, 0x00FFFFFFu);
    EXPECT_FALSE(std::filesystem::exists(h.ProgramFile("LastSetting.xml")));
    w.UserSelect(IDC_ROTATE, 2);
    EXPECT_TRUE(w.UserClick(IDC_SAVE));
    EXPECT_TRUE(SettingsFileHas(h, "<rotateType>2</rotateType>"));
    // What changes after the last Save reaches the file when the window
    // closes; a language box without a selection changes nothing.
    h.Window().UserSelect(IDC_ROTATE, 3);
    CommandSelect(h, IDC_LANGUAGE, -1);
    EXPECT_EQ(h.Window().Text(IDC_SAVE), u"Save");
    EXPECT_TRUE(h.Window().UserClick(IDC_SAVE));
    EXPECT_TRUE(SettingsFileHas(h, "<Language>EN</Language>"));
    h.Window().UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"DE"));
    // A picture deleted and not taken back waits aside until the close.
    DeleteOnly(h, 0);
    EXPECT_FALSE(w.IsEnabled(IDC_EXIT));
    // The data source's close request ends the window at once.
    h.dataSource.SendCode(212);
    EXPECT_TRUE(h.Window().IsModalEnded());
  });
  EXPECT_FALSE(h.host.os.IsFolder(h.WorkFile("Deleted")));
  EXPECT_EQ(h.dataSource.Transcript(), (Transcript{"207 END", "212"}));
  EXPECT_TRUE(SettingsFileHas(h, "<rotateType>3</rotateType>"));
  EXPECT_TRUE(SettingsFileHas(h, "<Language>DE</Language>"));
  const Lines names = h.CallLines(true);
  EXPECT_EQ(Lines(names.end() - 2, names.end()),
            (Lines{"camStopAutoCapture", "camUnInitCameraLib"}));
}

// The saved choices the lists can show reach the camera at start-up as
// after a device change (HotPlug), with the same calls as the user's.
// The first camera opens at the saved size in the live picture.
TEST_F(Startup, SavedChoicesAreRestoredAndThoseTheListsCannotShowSendNothingAndSurviveASave) {
  settings::SessionSettings saved;
  saved.DPI.MainWidth = 1280;
  saved.DPI.MainHeight = 720;
  saved.colorType = 7;
  saved.cutType = 4;
  saved.rotateType = 9;
  saved.EdgeBorder = 1;
  saved.autoCaptureType = 1;
  saved.fileType = 2;
  h.SaveSettings(saved);
  h.RunWith([&] {
    Lines calls = FirstOf(Calls(h), 9);
    ASSERT_EQ(calls.size(), 9u);
    calls[2] = NameOf(calls[2]);  // the work folder is the test's own
    EXPECT_EQ(calls, (Lines{"camRegCallBackDeviceChange(cb)", "camInitCameraLib()",
                            "camCreateDirectory", "camGetDevCount(&)", "camGetDevName(0)",
                            "camGetDevName(1)", "camCloseDev(-1)", "camOpenDev(0,0,1280,720)",
                            "camSetPreviewWindow(0," +
                                Handle(h.dialog->Devices().MainPreviewHost()) + ")"}));
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    EXPECT_EQ(Calls(h, {"camSetImageColorStyle", "camSetImageAdjust", "camSetImageAutoCrop",
                        "camSetImageCusCropRect", "camSetImageFillBorder", "camSetImageRotateMode"}),
              (Lines{"camSetImageCusCropRect(0,0,0,0,0)", "camSetImageFillBorder(0,1)"}));
    for (int id : {IDC_COLOR_MODE, IDC_CROP_MODE, IDC_ROTATE}) {
      EXPECT_EQ(h.Window().Selection(id), -1) << id;
    }
    EXPECT_EQ(h.Window().Text(IDC_CAPTURE), u"Start");
    EXPECT_TRUE(h.Window().IsChecked(IDC_FILL_BORDER));
    EXPECT_EQ(h.Window().Selection(IDC_FILE_FORMAT), 2);
    h.Window().UserClick(IDC_SAVE);
  });
  const settings::SessionSettings reread = SavedSettings(h);
  EXPECT_EQ(std::tuple(reread.colorType, reread.cutType, reread.rotateType), std::tuple(7, 4, 9));
}
