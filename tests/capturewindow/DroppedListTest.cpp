// The capture window's drop-down lists open wide enough for their longest
// item: when they are filled, when the language refills them, and on a
// monitor of another DPI. The headless platform estimates an item's width
// from the dialog font's average character (6 pixels at 96 DPI, 9 at 144)
// and adds a margin of 3 pixels either side, the border (2) and a scroll
// bar (17); the widths below are worked out from that.
#include "CaptureWindowHarness.h"

namespace {

// 73 and 107 dialog units at 6 pixels for 4 units.
constexpr int kFrameSizeListWidth = 109;
constexpr int kColorListWidth = 160;

}  // namespace

TEST(DroppedLists, TheFrameSizeListOpensForItsLongestRowInEitherUnit) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_EQ(w.ControlRect(IDC_FRAME_SIZE).Width(), kFrameSizeListWidth);
    // "1920x1080(HD-1080)": 18 characters.
    EXPECT_EQ(w.DroppedListWidth(IDC_FRAME_SIZE), 18 * 6 + 6 + 2 + 17);
    // The DPI rows are short: the list opens as wide as the control.
    ASSERT_TRUE(w.UserSelect(IDC_UNIT, 1));
    EXPECT_EQ(w.ItemText(IDC_FRAME_SIZE, 0), u"300");
    EXPECT_EQ(w.DroppedListWidth(IDC_FRAME_SIZE), kFrameSizeListWidth);
    ASSERT_TRUE(w.UserSelect(IDC_UNIT, 0));
    EXPECT_EQ(w.DroppedListWidth(IDC_FRAME_SIZE), 133);
    // Not a drop-down list.
    EXPECT_EQ(w.DroppedListWidth(IDC_COLOR_LABEL), 0);
  });
  h.Run();
}

TEST(DroppedLists, ALanguageSwitchWidensTheListsItRefillsAndNarrowsThemAgain) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Language/DE.xml",
                     "<UIText><ColorType2 IsShow=\"1\" IsEnable=\"1\">"
                     "Schwarzweiss fuer Dokumente mit Text</ColorType2>"
                     "<AutoCaptureOption2 IsShow=\"1\" IsEnable=\"1\">"
                     "Automatisch, sobald das Blatt ruhig liegt</AutoCaptureOption2></UIText>");
  h.Then([&] {
    auto& w = h.Window();
    // "Black&White(Document)", 21 characters, needs 151 of the 160.
    EXPECT_EQ(w.DroppedListWidth(IDC_COLOR_MODE), kColorListWidth);
    ASSERT_TRUE(w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"DE")));
    EXPECT_EQ(w.DroppedListWidth(IDC_COLOR_MODE), 36 * 6 + 25);
    EXPECT_EQ(w.DroppedListWidth(IDC_AUTO_CAPTURE_MODE), 41 * 6 + 25);
    ASSERT_TRUE(w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"EN")));
    EXPECT_EQ(w.DroppedListWidth(IDC_COLOR_MODE), kColorListWidth);
    EXPECT_EQ(w.DroppedListWidth(IDC_AUTO_CAPTURE_MODE), kColorListWidth);
  });
  h.Run();
}

TEST(DroppedLists, OnA144DpiMonitorTheListsOpenForTheLargerFont) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    w.UserMoveToDpi(144);
    // 18 characters of 9 pixels, margins of 5, the border, a bar of 26.
    EXPECT_EQ(w.DroppedListWidth(IDC_FRAME_SIZE), 18 * 9 + 10 + 2 + 26);
    // The colour list's 160 pixels became 240, more than its items need.
    EXPECT_EQ(w.DroppedListWidth(IDC_COLOR_MODE), 240);
    w.UserMoveToDpi(96);
    EXPECT_EQ(w.DroppedListWidth(IDC_FRAME_SIZE), 133);
  });
  h.Run();
}
