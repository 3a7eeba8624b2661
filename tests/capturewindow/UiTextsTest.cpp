// The language's texts, flags and list items on the capture window, and
// switching the language while it runs.
#include "CaptureWindowHarness.h"
#include "settings/SettingsFile.h"

namespace {

// Every control the text pass gives its text or its flags.
const int kTextPassControls[] = {
    IDC_DEVICE_LABEL, IDC_CAPTURE, IDC_AUTO_CAPTURE_LABEL, IDC_AUTO_CAPTURE_MODE,
    IDC_ROTATE_LABEL, IDC_ROTATE, IDC_COLOR_LABEL, IDC_COLOR_MODE, IDC_CROP_LABEL,
    IDC_CROP_MODE, IDC_FILL_BORDER, IDC_FILE_FORMAT_LABEL, IDC_FILE_FORMAT, IDC_MERGE,
    IDC_HAND_CROP, IDC_MERGE_HORIZONTAL, IDC_MERGE_VERTICAL, IDC_EXIT, IDC_BEST_FIT,
    IDC_LANGUAGE_LABEL, IDC_UNIT_LABEL, IDC_UNIT, IDC_FRAME_SIZE_LABEL, IDC_SAVE,
    IDC_DEVICE, IDC_ZOOM_IN, IDC_ZOOM_OUT, IDC_ORIGINAL_SIZE, IDC_MERGE_GROUP, IDC_THUMBNAILS};

}  // namespace

TEST(UiTexts, EnglishCaptionsListsAndCaptureColours) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_EQ(w.Text(IDC_COLOR_LABEL), u"Scan Mode");
    EXPECT_EQ(w.Text(IDC_EXIT), u"Exit");
    EXPECT_EQ(w.ItemCount(IDC_ROTATE), 4);
    EXPECT_EQ(w.ItemText(IDC_COLOR_MODE, 3), u"Black&White");
    EXPECT_EQ(w.ItemCount(IDC_CROP_MODE), 3);
    EXPECT_EQ(w.ItemText(IDC_FILE_FORMAT, 1), u"JPEG(*.jpg)");
    EXPECT_EQ(w.Text(IDC_ZOOM_IN), u"+");
    ASSERT_TRUE(w.ButtonColorsOf(IDC_CAPTURE));
    EXPECT_EQ(w.ButtonColorsOf(IDC_CAPTURE)->face, 0x00D35408u);
    EXPECT_EQ(w.ButtonColorsOf(IDC_CAPTURE)->text, 0x00FFFFFFu);
    EXPECT_EQ(w.Selection(IDC_LANGUAGE), h.LanguageIndex(u"EN"));
  });
  h.Run();
}

TEST(UiTexts, SwitchingLanguageChangesTextsAndKeepsSelectionsAndExit) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    w.UserSelect(IDC_ROTATE, 2);
    w.UserSelect(IDC_COLOR_MODE, 1);
    w.Enable(IDC_EXIT, true);
    ASSERT_TRUE(w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"CN")));
    EXPECT_EQ(w.Text(IDC_COLOR_LABEL), u"扫描模式");
    EXPECT_EQ(w.Selection(IDC_ROTATE), 2);
    EXPECT_EQ(w.ItemText(IDC_ROTATE, 2), u"180°");
    EXPECT_EQ(w.ItemText(IDC_COLOR_MODE, 1), u"灰度");
    EXPECT_EQ(w.Selection(IDC_COLOR_MODE), 1);
    EXPECT_TRUE(w.IsEnabled(IDC_EXIT));
    EXPECT_EQ(w.GetStatusBar().text, u"版本号 : 1.2.3.4");
    w.Enable(IDC_EXIT, false);
    w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"DE"));
    EXPECT_FALSE(w.IsEnabled(IDC_EXIT));
  });
  h.Run();
}

TEST(UiTexts, AMissingLanguageFileOnASwitchChangesNothing) {
  CaptureWindowHarness h;
  h.Then([&] {
    std::filesystem::remove(h.ProgramFile("Language/DE.xml"));
    auto& w = h.Window();
    const std::u16string before = w.Text(IDC_COLOR_LABEL);
    w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"DE"));
    EXPECT_EQ(w.Text(IDC_COLOR_LABEL), before);
    EXPECT_EQ(w.Selection(IDC_LANGUAGE), h.LanguageIndex(u"DE"));
  });
  h.Run();
}

TEST(UiTexts, AnEmptyLanguageFileHidesAndDisablesTheTextPassControls) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Language/EN.xml", "<?xml version=\"1.0\"?>\n<UIText></UIText>\n");
  h.Then([&] {
    auto& w = h.Window();
    for (int id : kTextPassControls) {
      EXPECT_FALSE(w.IsControlVisible(id)) << id;
      // The saved crop mode decides these four after the text pass.
      if (id == IDC_COLOR_MODE || id == IDC_CROP_MODE || id == IDC_ROTATE || id == IDC_MERGE) {
        continue;
      }
      EXPECT_FALSE(w.IsEnabled(id)) << id;
    }
    EXPECT_FALSE(w.GetStatusBar().visible);
    EXPECT_EQ(w.ItemCount(IDC_FILE_FORMAT), 3);
    EXPECT_EQ(w.ItemText(IDC_FILE_FORMAT, 2), u"PNG(*.png)");
  });
  h.Run();
}

TEST(UiTexts, FixedControlsStayHiddenWhateverTheFileSays) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Language/EN.xml",
                     "<UIText><WaterMark IsShow=\"1\" IsEnable=\"1\">Watermark</WaterMark>"
                     "<AuoFocus IsShow=\"1\" IsEnable=\"1\">Focus</AuoFocus>"
                     "<Media IsShow=\"3\" IsEnable=\"1\">Format</Media></UIText>");
  h.Then([&] {
    auto& w = h.Window();
    for (int id : {IDC_WATERMARK, IDC_AUTO_FOCUS, IDC_MEDIA_LABEL, IDC_AUTO_CAPTURE,
                   IDC_DEVICE_SETTINGS, IDC_SECONDARY_CAPTURE}) {
      EXPECT_FALSE(w.IsControlVisible(id)) << id;
    }
    EXPECT_EQ(w.Text(IDC_WATERMARK), u"Watermark");
  });
  h.Run();
}

TEST(UiTexts, TwoSwitchesWidenTheDeviceListOnce) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    const platform::Rect afterStartUp = w.ControlRect(IDC_DEVICE);
    w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"CN"));
    w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"EN"));
    EXPECT_EQ(w.ControlRect(IDC_DEVICE), afterStartUp);
    // The template's 60 dialog units are 90 pixels: widened to 3 x 90 - 80.
    EXPECT_EQ(afterStartUp.Width(), 190);
  });
  h.Run();
}

TEST(UiTexts, UnitListWithoutDpiItemStaysWithoutOne) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini",
                     "[Device]\nName=Webcam\nDpi=96\nFormat=MJPG\nSize=640x480\n");
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_EQ(w.ItemCount(IDC_DEVICE), 1);
    EXPECT_EQ(w.ItemCount(IDC_UNIT), 1);
    w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"CN"));
    EXPECT_EQ(w.ItemCount(IDC_UNIT), 1);
    EXPECT_EQ(w.ItemText(IDC_UNIT, 0), u"分辨率");
  });
  h.Run();
}

TEST(UiTexts, UnitListKeepsItsDpiItem) {
  CaptureWindowHarness documentCamera;
  documentCamera.Then([&] {
    auto& w = documentCamera.Window();
    ASSERT_EQ(w.ItemCount(IDC_UNIT), 2);
    EXPECT_EQ(w.Selection(IDC_UNIT), 0);  // the saved unit
    w.UserSelect(IDC_UNIT, 1);
    w.UserSelect(IDC_LANGUAGE, documentCamera.LanguageIndex(u"CN"));
    EXPECT_EQ(w.ItemCount(IDC_UNIT), 2);
    EXPECT_EQ(w.ItemText(IDC_UNIT, 0), u"分辨率");
    EXPECT_EQ(w.ItemText(IDC_UNIT, 1), u"DPI");
    EXPECT_EQ(w.Selection(IDC_UNIT), 1);
  });
  documentCamera.Run();
}

TEST(UiTexts, ALanguageWhoseCodeCannotNameAFileChangesNothing) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Language/Language.xml",
                     "<LanguageInfo><Language name=\"English\">EN</Language>"
                     "<Language name=\"Chinese\">CN</Language>"
                     "<Language name=\"Elsewhere\">..\\EN</Language></LanguageInfo>");
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_EQ(w.ItemCount(IDC_LANGUAGE), 3);
    w.UserSelect(IDC_LANGUAGE, 1);
    ASSERT_EQ(w.Text(IDC_COLOR_LABEL), u"扫描模式");
    w.UserSelect(IDC_LANGUAGE, 2);
    EXPECT_EQ(w.Text(IDC_COLOR_LABEL), u"扫描模式");
    EXPECT_EQ(w.Text(IDC_EXIT), u"退出");
  });
  h.Run();
}

TEST(UiTexts, ASwitchKeepsTheEnabledStatesThatFollowOtherControls) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.cutType = 4;  // locks colour, rotation, merge and watermark
  ASSERT_TRUE(settings::SaveSessionSettingsFile(
      h.host.os, h.ProgramFile("LastSetting.xml").string(), saved));
  h.Then([&] {
    auto& w = h.Window();
    const int lockedOrFollowing[] = {IDC_MERGE_HORIZONTAL, IDC_MERGE_VERTICAL, IDC_COLOR_MODE,
                                     IDC_ROTATE, IDC_MERGE, IDC_WATERMARK,
                                     IDC_WATERMARK_SETTINGS, IDC_SECONDARY_MERGE};
    for (int id : lockedOrFollowing) ASSERT_FALSE(w.IsEnabled(id)) << id;
    w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"DE"));
    ASSERT_EQ(w.Text(IDC_EXIT), u"Beenden");
    for (int id : lockedOrFollowing) EXPECT_FALSE(w.IsEnabled(id)) << id;
    EXPECT_TRUE(w.IsEnabled(IDC_CROP_MODE));
  });
  h.Run();
}

TEST(UiTexts, ASwitchLeavesTheDirectionRadiosDisabledWhileTheMergeIsOff) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_FALSE(w.IsChecked(IDC_MERGE));
    ASSERT_FALSE(w.IsEnabled(IDC_MERGE_HORIZONTAL));
    w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"CN"));
    EXPECT_FALSE(w.IsEnabled(IDC_MERGE_HORIZONTAL));
    EXPECT_FALSE(w.IsEnabled(IDC_MERGE_VERTICAL));
    EXPECT_TRUE(w.IsEnabled(IDC_MERGE));
    EXPECT_TRUE(w.IsEnabled(IDC_COLOR_MODE));
  });
  h.Run();
}
