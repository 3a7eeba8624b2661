// The capture window's start-up as the camera library, the data source and
// the user see it.
#include <algorithm>

#include "CaptureWindowHarness.h"
#include "settings/SettingsFile.h"

namespace {

using Lines = std::vector<std::string>;

// The call log up to and including the first binding of a preview window.
Lines UpToFirstLivePicture(const Lines& lines) {
  auto end = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("camSetPreviewWindow", 0) == 0;
  });
  return Lines(lines.begin(), end == lines.end() ? end : end + 1);
}

// A program folder without the camera library.
CaptureWindowHarness::Options WithoutLibrary() {
  CaptureWindowHarness::Options options;
  options.withLibrary = false;
  return options;
}

}  // namespace

TEST(Startup, OpensTheFirstCameraWithTheSavedFormatAndSize) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.DPI.MainWidth = 1280;
  saved.DPI.MainHeight = 720;
  h.SaveSettings(saved);
  h.Then([&] {
    const Lines lines = UpToFirstLivePicture(h.CallLines());
    const std::string preview =
        "camSetPreviewWindow(0," + std::to_string(h.dialog->Devices().MainPreviewHost()->NativeHandle()) + ")";
    ASSERT_EQ(lines.size(), 9u) << h.CallLog();
    EXPECT_EQ(lines[0], "camRegCallBackDeviceChange(cb)");
    EXPECT_EQ(lines[1], "camInitCameraLib()");
    EXPECT_EQ(lines[2].substr(0, 19), "camCreateDirectory(");
    EXPECT_EQ(lines[3], "camGetDevCount(&)");
    EXPECT_EQ(lines[4], "camGetDevName(0)");
    EXPECT_EQ(lines[5], "camGetDevName(1)");
    EXPECT_EQ(lines[6], "camCloseDev(-1)");
    EXPECT_EQ(lines[7], "camOpenDev(0,0,1280,720)");
    EXPECT_EQ(lines[8], preview);
    EXPECT_EQ(h.dialog->Devices().MainDeviceIndex(), 0);
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
  h.Run();
}

TEST(Startup, RetriesAtVgaOnlyAfterAFailedOpen) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", "[Library]\nFail=camOpenDev,1,-5\n");
  h.Then([&] {
    Lines names = UpToFirstLivePicture(h.CallLines());
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[names.size() - 3], "camOpenDev(0,0,0,0)");
    EXPECT_EQ(names[names.size() - 2], "camOpenDev(0,0,640,480)");
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
  h.Run();
}

TEST(Startup, ListsTheCamerasAndOffersDpiForADocumentCamera) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_EQ(w.ItemCount(IDC_DEVICE), 2);
    EXPECT_EQ(w.ItemCount(IDC_SECONDARY_DEVICE), 2);
    EXPECT_EQ(w.Selection(IDC_DEVICE), 0);
    EXPECT_EQ(w.ItemCount(IDC_UNIT), 2);
    EXPECT_EQ(w.ItemText(IDC_UNIT, 1), u"DPI");
  });
  h.Run();
}

TEST(Startup, WithoutCameraLibraryTheWindowOpensEmptyAndNothingIsSaved) {
  CaptureWindowHarness h(WithoutLibrary());
  const std::filesystem::path before = std::filesystem::current_path();
  h.Then([&] {
    EXPECT_TRUE(h.Window().IsVisible());
    EXPECT_FALSE(h.Window().IsEnabled(IDC_EXIT));
    EXPECT_EQ(h.Window().ItemCount(IDC_FILE_FORMAT), 3);
    EXPECT_FALSE(h.dialog->IsStartUpComplete());
  });
  h.Then([&] { h.Window().UserClick(IDC_SAVE); });
  h.Then([&] { h.Window().UserClose(); });
  h.Run();
  EXPECT_EQ(h.host.os.standardOutput, "LoadLibrary failed\n");
  EXPECT_TRUE(h.dataSource.Received().empty());
  EXPECT_FALSE(std::filesystem::exists(h.ProgramFile("LastSetting.xml")));
  EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST(Startup, ALibraryThatDoesNotLoadLeavesTheCurrentFolderAsItWas) {
  CaptureWindowHarness h(WithoutLibrary());
  h.WriteProgramFile("Kelpra.dll", "not a library");
  const std::filesystem::path before = std::filesystem::current_path();
  h.Then([&] {
    EXPECT_FALSE(h.dialog->IsStartUpComplete());
    EXPECT_EQ(std::filesystem::current_path(), before);
    h.Window().UserClose();
  });
  h.Run();
  EXPECT_EQ(h.host.os.standardOutput, "LoadLibrary failed\n");
}

TEST(Startup, FailingLibraryInitialisationShowsTheCodeAndCancels) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.colorType = 2;
  h.SaveSettings(saved);
  const std::string before = h.SettingsFileText();
  h.WriteProgramFile("Kelpra.ini", "[Library]\nFail=camInitCameraLib,1,-7\n");
  EXPECT_EQ(h.Run(), platform::kIdCancel);
  EXPECT_EQ(h.host.ui.messageBoxes, std::vector<std::u16string>{u"Failed, ErrorCode: -7"});
  EXPECT_EQ(h.host.ui.idleCloses, 0);
  EXPECT_TRUE(h.dataSource.Received().empty());
  EXPECT_EQ(h.SettingsFileText(), before);
}

TEST(Startup, FailingConnectShowsTheMessageDisconnectsAndSavesNothing) {
  CaptureWindowHarness h;
  h.host.ui.refusedTemplates.push_back(IDD_RECEIVE_DS_MESSAGES);
  EXPECT_EQ(h.Run(), platform::kIdCancel);
  EXPECT_EQ(h.host.ui.messageBoxes,
            std::vector<std::u16string>{
                u"Prismel can't find TwainDS or missing configuration file."});
  EXPECT_EQ(h.host.ui.idleCloses, 0);
  EXPECT_FALSE(std::filesystem::exists(h.ProgramFile("LastSetting.xml")));
  EXPECT_FALSE(h.host.desktop.HasWindowTitled(u"TWAINDSUIWINDOWS"));
}

TEST(Startup, StartedWindowShowsVersionDisablesExitAndSavesOnSaveAndClose) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_TRUE(h.dialog->IsStartUpComplete());
    EXPECT_TRUE(w.IsVisible());
    EXPECT_FALSE(w.IsEnabled(IDC_EXIT));
    EXPECT_EQ(w.GetStatusBar().text, u"Version : 1.2.3.4");
    EXPECT_EQ(w.Caption(), u"Prismel");
    EXPECT_EQ(w.SystemMenu().size(), 1u);
    EXPECT_EQ(w.SystemMenu()[0].text, u"About Tessivue(&A)...");
    EXPECT_EQ(w.IconId(), IDR_MAINFRAME);
    EXPECT_EQ(w.TimesCentred(), 1);
    EXPECT_FALSE(std::filesystem::exists(h.ProgramFile("LastSetting.xml")));
    w.UserSelect(IDC_ROTATE, 2);
    EXPECT_TRUE(w.UserClick(IDC_SAVE));
    EXPECT_NE(h.SettingsFileText().find("<rotateType>2</rotateType>"), std::string::npos);
  });
  // What changed after the last Save reaches the file when the window closes.
  h.Then([&] {
    h.Window().UserSelect(IDC_ROTATE, 3);
    h.Window().UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"DE"));
  });
  h.Then([&] { h.dataSource.SendCode(212); });
  h.Run();
  const std::string atClose = h.SettingsFileText();
  EXPECT_NE(atClose.find("<rotateType>3</rotateType>"), std::string::npos);
  EXPECT_NE(atClose.find("<Language>DE</Language>"), std::string::npos);
  EXPECT_EQ(h.dataSource.Transcript(), (std::vector<std::string>{"207 END", "212"}));
  const Lines names = h.CallLines(true);
  EXPECT_EQ(names[names.size() - 2], "camStopAutoCapture");
  EXPECT_EQ(names.back(), "camUnInitCameraLib");
}

TEST(Startup, ChoicesTheListsCannotShowSurviveASave) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.cutType = 4;
  saved.colorType = 2;
  h.SaveSettings(saved);
  h.Then([&] {
    EXPECT_EQ(h.Window().Selection(IDC_CROP_MODE), -1);
    EXPECT_EQ(h.Window().Selection(IDC_COLOR_MODE), 2);
    EXPECT_FALSE(h.Window().IsEnabled(IDC_COLOR_MODE));
    h.Window().UserClick(IDC_SAVE);
  });
  h.Run();
  settings::SessionSettings reread;
  ASSERT_TRUE(settings::LoadSessionSettingsFile(
      h.host.os, h.ProgramFile("LastSetting.xml").string(), reread));
  EXPECT_EQ(reread.cutType, 4);
  EXPECT_EQ(reread.colorType, 2);
}

TEST(Startup, APluggedCameraRebuildsTheDeviceLists) {
  CaptureWindowHarness h;
  h.Then([&] {
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    EXPECT_EQ(hooks.PlugDevice("Visitor"), 3);
  });
  h.Then([&] {
    EXPECT_EQ(h.Window().ItemCount(IDC_DEVICE), 3);
    EXPECT_EQ(h.Window().ItemText(IDC_DEVICE, 2), u"Visitor");
    EXPECT_EQ(h.dialog->Devices().MainDeviceIndex(), 0);
  });
  h.Run();
}

TEST(Startup, OneByOneSettingReachesTheLink) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.ShowUIUpdataOneByOne = 1;
  h.SaveSettings(saved);
  h.Then([&] { EXPECT_TRUE(h.dialog->Link().IsOneByOne()); });
  h.Run();
}

TEST(Startup, ExitFollowsTheThumbnailCountAndSurvivesALanguageSwitch) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_FALSE(w.IsEnabled(IDC_EXIT));
    // What a capture does: the library writes the picture, the list shows it.
    std::string path = *h.dialog->Pipeline().WorkFolder() + "\\1_1000.bmp";
    std::vector<char> buffer(path.begin(), path.end());
    buffer.resize(1024, '\0');
    ASSERT_EQ(h.dialog->Camera().camCaptureImageFile(0, buffer.data()), 0);
    ASSERT_GE(h.dialog->Thumbnails().AddImage(h.host.os.AnsiToWide(path)), 0);
    EXPECT_TRUE(w.IsEnabled(IDC_EXIT));
    w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"CN"));
    EXPECT_EQ(w.Text(IDC_EXIT), u"退出");
    EXPECT_TRUE(w.IsEnabled(IDC_EXIT));
  });
  h.Run();
}

TEST(Startup, MovingTheWindowKeepsTheMergePreviewOverThePicture) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.MergeHV.isEnable = true;
  saved.MergeHV.direction = 2;
  h.SaveSettings(saved);
  h.Then([&] {
    platform::Window* preview = h.dialog->Merges().Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->IsVisible());
    const platform::Rect area = h.Window().ControlScreenRect(IDC_PREVIEW_AREA);
    const int w = area.Width(), hgt = area.Height();
    h.dialog->OnMoving();
    auto* merge = static_cast<headless::HeadlessWindow*>(preview);
    EXPECT_EQ(merge->WindowRect(), (platform::Rect{area.left + 2, area.top + hgt / 2,
                                                   area.left + 2 + w / 3, area.top + hgt / 2 * 2}));
    h.Window().UserClick(IDC_MERGE_HORIZONTAL);
    h.dialog->OnMoving();
    EXPECT_EQ(merge->WindowRect(),
              (platform::Rect{area.left + 2, area.top + hgt / 3 * 2, area.left + 2 + w / 2,
                              area.top + hgt / 3 * 2 + hgt / 3}));
  });
  h.Run();
}
