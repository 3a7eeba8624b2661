// What the capture window does with a language's texts, flags and list
// items: at start-up, when the user switches the language while it runs,
// and when a language file lacks controls, is missing or names no file.
#include "SessionSteps.h"

using namespace steps;

using UiTexts = WindowTest;

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

TEST_F(UiTexts, ASwitchKeepsTheFollowingEnabledStatesAndOneToALanguageWithoutAFileChangesNothing) {
  settings::SessionSettings saved;
  saved.cutType = 4;  // locks colour, rotation, merge and watermark
  h.SaveSettings(saved);
  // An unsafe code would read the English file.
  h.WriteProgramFile("Language/Language.xml",
                     "<LanguageInfo><Language name=\"English\">EN</Language>"
                     "<Language name=\"Chinese\">CN</Language>"
                     "<Language name=\"German\">DE</Language>"
                     "<Language name=\"Elsewhere\">..\\EN</Language></LanguageInfo>");
  std::filesystem::remove(h.ProgramFile("Language/DE.xml"));
  h.RunWith([&](auto& w) {
    const int lockedOrFollowing[] = {IDC_MERGE_HORIZONTAL, IDC_MERGE_VERTICAL, IDC_COLOR_MODE,
                                     IDC_ROTATE, IDC_MERGE, IDC_WATERMARK,
                                     IDC_WATERMARK_SETTINGS, IDC_SECONDARY_MERGE};
    for (int id : lockedOrFollowing) ASSERT_FALSE(w.IsEnabled(id)) << id;
    ASSERT_EQ(w.ItemCount(IDC_LANGUAGE), 4);
    w.UserSelect(IDC_LANGUAGE, 1);
    ASSERT_EQ(w.Text(IDC_COLOR_LABEL), u"扫描模式");
    for (int id : lockedOrFollowing) EXPECT_FALSE(w.IsEnabled(id)) << id;
    EXPECT_TRUE(w.IsEnabled(IDC_CROP_MODE));
    for (int unreadable : {2, 3}) {
      w.UserSelect(IDC_LANGUAGE, unreadable);
      EXPECT_EQ(w.Text(IDC_COLOR_LABEL), u"扫描模式") << unreadable;
      EXPECT_EQ(w.Text(IDC_EXIT), u"退出") << unreadable;
      EXPECT_EQ(w.Selection(IDC_LANGUAGE), unreadable);
    }
  });
}

// A file that names only controls the window keeps hidden: they stay hidden
// whatever it says, and every control of the text pass it lacks is hidden
// and disabled.
TEST_F(UiTexts, FixedControlsStayHiddenAndWhatTheFileLacksIsHiddenAndDisabled) {
  h.WriteProgramFile("Language/EN.xml",
                     "<UIText><WaterMark IsShow=\"1\" IsEnable=\"1\">Watermark</WaterMark>"
                     "<AuoFocus IsShow=\"1\" IsEnable=\"1\">Focus</AuoFocus>"
                     "<Media IsShow=\"3\" IsEnable=\"1\">Format</Media></UIText>");
  h.RunWith([&](auto& w) {
    for (int id : {IDC_WATERMARK, IDC_AUTO_FOCUS, IDC_MEDIA_LABEL, IDC_AUTO_CAPTURE,
                   IDC_DEVICE_SETTINGS, IDC_SECONDARY_CAPTURE}) {
      EXPECT_FALSE(w.IsControlVisible(id)) << id;
    }
    EXPECT_EQ(w.Text(IDC_WATERMARK), u"Watermark");
    for (int id : kTextPassControls) {
      EXPECT_FALSE(w.IsControlVisible(id)) << id;
      // The saved crop mode decides these four after the text pass.
      const bool byCropMode =
          id == IDC_COLOR_MODE || id == IDC_CROP_MODE || id == IDC_ROTATE || id == IDC_MERGE;
      EXPECT_TRUE(byCropMode || !w.IsEnabled(id)) << id;
    }
    EXPECT_FALSE(w.GetStatusBar().visible);
    EXPECT_EQ(Items(h, IDC_FILE_FORMAT), (Texts{u"BMP(*.bmp)", u"JPEG(*.jpg)", u"PNG(*.png)"}));
  });
}
