// The capture window from the keyboard and through assistive technology:
// the tips and names of the symbol buttons and of the live picture, and the
// order in which Tab visits the controls. That Space captures wherever the
// focus is, except in typing, is the window contract's (the click key); the
// tab order's session presses it, and switches the language over the
// choices a switch must keep.
#include "SessionSteps.h"

using namespace steps;

using TabOrder = WindowTest;

namespace {

// The controls Tab stops at now: listed, visible and enabled.
std::vector<int> TabStops(headless::HeadlessWindow& w) {
  std::vector<int> stops;
  for (int id : w.TabOrder()) {
    if (w.IsControlVisible(id) && w.IsEnabled(id)) stops.push_back(id);
  }
  return stops;
}

}  // namespace

// The symbol buttons, Capture and the live picture are described in the
// language or, where its file lacks a description, in English.
TEST_F(TabOrder, FollowsTheColumnsAndRowsInEveryLanguageAndDescriptionsAFileLacksAreEnglish) {
  // A German file without the descriptions.
  std::string german = h.program.ReadFile("Language/DE.xml");
  for (const char* key : {"ZoomIn", "ZoomOut", "ActualSize", "LivePicture", "CaptureKey"}) {
    const size_t start = german.find(std::string("<") + key);
    const size_t end = german.find(std::string("</") + key + ">");
    ASSERT_NE(start, std::string::npos) << key;
    german.erase(start, end + std::string(key).size() + 3 - start);
  }
  h.WriteProgramFile("Language/DE.xml", german);
  h.Then([&](auto& w) {
    // A language switch keeps the lists' choices and Exit's state, and names
    // Capture after the auto-capture mode still chosen.
    const std::pair<int, int> choices[] = {
        {IDC_ROTATE, 2}, {IDC_COLOR_MODE, 1}, {IDC_UNIT, 0}, {IDC_AUTO_CAPTURE_MODE, 2}};
    for (const auto& [id, index] : choices) ASSERT_TRUE(w.UserSelect(id, index));
    ASSERT_TRUE(w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"CN")));
    EXPECT_EQ(w.Text(IDC_CAPTURE), u"连拍");
    for (const auto& [id, index] : choices) EXPECT_EQ(w.Selection(id), index) << id;
    EXPECT_EQ(w.GetStatusBar().text, u"版本号 : 1.2.3.4");
    EXPECT_FALSE(w.IsEnabled(IDC_EXIT));
    ASSERT_TRUE(w.UserSelect(IDC_AUTO_CAPTURE_MODE, 0));
    ASSERT_TRUE(w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"EN")));
    EXPECT_EQ(TabStops(w),
              (std::vector<int>{1004, 1005, 1006, 1095, 1108, 1101, 1007, 1075,  // left column
                                1018, 1023, 1024, 1025, 1026,                    // under the picture
                                1019, 1098, 1021, 1099,                          // bottom row
                                1029, 1109}));                                   // right column
    // Space on a check box captures instead of checking it: the first
    // thumbnail makes Exit reachable. With the merge on, its radios come in
    // the order they are shown.
    ASSERT_TRUE(w.UserPressKey(IDC_HAND_CROP, platform::kKeySpace));
    EXPECT_FALSE(w.IsChecked(IDC_HAND_CROP));
  });
  h.RunWith([&](auto& w) {
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    const std::vector<int> stops = TabStops(w);
    ASSERT_EQ(stops.size(), 22u);
    EXPECT_EQ(std::vector<int>(stops.begin() + 6, stops.begin() + 9),
              (std::vector<int>{IDC_MERGE, IDC_MERGE_VERTICAL, IDC_MERGE_HORIZONTAL}));
    EXPECT_EQ(std::vector<int>(stops.end() - 3, stops.end()),
              (std::vector<int>{IDC_THUMBNAILS, IDC_EXIT, IDC_CAPTURE}));

    // The English and Chinese names are the control texts' table's.
    ASSERT_TRUE(w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"CN")));
    EXPECT_EQ(TabStops(w), stops) << "Exit stays enabled";
    // What the file lacks is English, and it hides nothing.
    ASSERT_TRUE(w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"DE")));
    EXPECT_EQ(w.Text(IDC_SAVE), u"Sichern");
    EXPECT_EQ(w.AccessibleName(IDC_ZOOM_OUT), u"Zoom out");
    EXPECT_EQ(w.ToolTip(IDC_CAPTURE), u"Space bar: capture");
    EXPECT_EQ(Headless(h.dialog->Devices().MainPreviewHost()).ToolTip(platform::kWholeWindow),
              u"Live picture");
    EXPECT_EQ(TabStops(w), stops);
    EXPECT_TRUE(w.IsControlVisible(IDC_ZOOM_IN));
  });
}
