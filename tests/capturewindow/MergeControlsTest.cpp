// The merges on the capture window: the two-picture merge's check box
// against the other capture options, its preview floating over the lower
// part of the live picture, and the secondary camera's merge options: the
// check box 1073, the options button 1017 and the dialog (template 131),
// which edits a copy of MergeType and MergePosition.
#include <iterator>

#include "SessionSteps.h"

using namespace steps;

namespace {

using MergeControls = WindowTest;
using MergeOptionsDialog = WindowTest;

const std::initializer_list<int> kOutsideRadios = {1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066};
const std::initializer_list<int> kInsideRadios = {1050, 1053, 1049, 1057, 1056};

headless::HeadlessWindow& PreviewOf(CaptureWindowHarness& h) {
  return Headless(h.dialog->Merges().Preview());
}

// Which radios of the options dialog are checked.
std::vector<int> CheckedRadios(headless::HeadlessWindow& dialog) {
  std::vector<int> checked;
  for (auto radios : {kOutsideRadios, kInsideRadios}) {
    std::copy_if(radios.begin(), radios.end(), std::back_inserter(checked),
                 [&](int id) { return dialog.IsChecked(id); });
  }
  return checked;
}
std::pair<int, int> TypeAndPosition(CaptureWindowHarness& h) {
  return {h.dialog->Merges().MergeType(), h.dialog->Merges().MergePosition()};
}

// A saved merge, the size of the live picture and where the preview goes,
// relative to the picture.
struct Placement {
  const char* name;
  bool on;
  int direction;  // 1 horizontal, 2 vertical
  int width, height;
  platform::Rect preview;
};

void PrintTo(const Placement& c, std::ostream* os) { *os << c.name; }

class MergePreviewPlacement : public testing::TestWithParam<Placement> {};

}  // namespace

TEST_F(MergeControls, TheMergeExcludesMultipleCropAndTheSecondaryMergeAndHoldsTheColourOfAPair) {
  settings::SessionSettings saved;
  saved.cutType = 2;
  saved.MergeHV.isEnable = true;
  h.SaveSettings(saved);
  h.RunWith([&](auto& w) {
    // Saved beside a multiple crop, the merge makes it a single crop at
    // start-up, as a click on it does.
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 1);
    EXPECT_EQ(Calls(h, {"camSetImageAutoCrop"}).back(), "camSetImageAutoCrop(0,1)");
    EXPECT_TRUE(PreviewOf(h).IsVisible());
    EXPECT_EQ(Enabled(w, {IDC_MERGE_HORIZONTAL, IDC_MERGE_VERTICAL}), "11");
    ASSERT_TRUE(w.UserSelect(IDC_CROP_MODE, 2));
    EXPECT_FALSE(w.IsChecked(IDC_MERGE));
    EXPECT_FALSE(PreviewOf(h).IsVisible());
    EXPECT_EQ(Enabled(w, {IDC_MERGE_HORIZONTAL, IDC_MERGE_VERTICAL}), "00");
    EXPECT_EQ(CallsDuring(h, [&] { ASSERT_TRUE(w.UserClick(IDC_MERGE)); }),
              (Lines{"camSetImageAutoCrop(0,1)"}));
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 1);

    h.ClickHidden(IDC_SECONDARY_MERGE);
    EXPECT_EQ(Checked(w, {IDC_MERGE, IDC_SECONDARY_MERGE}), "01");
    EXPECT_TRUE(w.IsEnabled(IDC_MERGE_SETTINGS));
    EXPECT_FALSE(PreviewOf(h).IsVisible());
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    EXPECT_EQ(Checked(w, {IDC_MERGE, IDC_SECONDARY_MERGE}), "10");
    EXPECT_FALSE(w.IsEnabled(IDC_MERGE_SETTINGS));
    EXPECT_TRUE(PreviewOf(h).IsVisible());

    // While a first picture waits, the box holds the colour list.
    CaptureAt(h, 1000);
    ASSERT_FALSE(w.IsEnabled(IDC_COLOR_MODE));
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    EXPECT_TRUE(w.IsEnabled(IDC_COLOR_MODE));
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    EXPECT_FALSE(w.IsEnabled(IDC_COLOR_MODE));
    // Once the pair is complete it no longer does.
    CaptureAt(h, 2000);
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    EXPECT_TRUE(w.IsEnabled(IDC_COLOR_MODE));
  });
}

// A chosen direction places the preview and shows it; a move of the window
// places it again, shown or not.
TEST_P(MergePreviewPlacement, FollowsTheDirectionOverTheLowerPartOfThePicture) {
  const Placement& c = GetParam();
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.MergeHV.isEnable = c.on;
  saved.MergeHV.direction = c.direction;
  h.SaveSettings(saved);
  h.RunWith([&] {
    // The placeholder of the live picture moved, as a different window size
    // would place it.
    h.Window().MoveControl(IDC_PREVIEW_AREA, platform::Rect{10, 20, 10 + c.width, 20 + c.height});
    const platform::Rect area = h.Window().ControlScreenRect(IDC_PREVIEW_AREA);
    if (c.on) {
      ASSERT_TRUE(h.Window().UserClick(c.direction == 1 ? IDC_MERGE_HORIZONTAL : IDC_MERGE_VERTICAL));
    }
    h.dialog->OnMoving();
    EXPECT_EQ(PreviewOf(h).IsVisible(), c.on);
    EXPECT_EQ(PreviewOf(h).WindowRect(),
              (platform::Rect{area.left + c.preview.left, area.top + c.preview.top,
                              area.left + c.preview.right, area.top + c.preview.bottom}));
  });
}

INSTANTIATE_TEST_SUITE_P(
    MergeControls, MergePreviewPlacement,
    testing::Values(Placement{"SideBySideOnTheLowerThird", true, 1, 900, 600, {2, 400, 452, 600}},
                    Placement{"OneAboveTheOtherOnTheLowerHalf", true, 2, 900, 600, {2, 300, 302, 600}},
                    Placement{"HiddenAndMovedAlong", false, 1, 300, 90, {2, 60, 152, 90}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MergeOptionsDialog, EachRadioChoosesItsPlace) {
  std::vector<std::pair<int, int>> chosen;
  // Outside radios in order choose MergeType 1 to 8; inside radios choose
  // MergePosition 0 (centre), 1 (top left), 2 (top right), 3 (bottom right),
  // 4 (bottom left). Fresh settings open inside at the top right; every
  // later opening shows the place chosen before, only its mode's radios
  // enabled.
  int shown = 1049;
  for (auto [mode, radios] :
       {std::pair{IDC_OUTSIDE_MODE, kOutsideRadios}, {IDC_INSIDE_MODE, kInsideRadios}}) {
    for (int id : radios) {
      h.Then([&] { h.ClickHidden(IDC_MERGE_SETTINGS); });
      h.Then([&, mode = mode, id, shown] {
        auto& d = Modal(h, IDD_MERGE_OPTIONS);
        const bool inside = std::count(kInsideRadios.begin(), kInsideRadios.end(), shown) > 0;
        EXPECT_EQ(CheckedRadios(d), std::vector<int>{shown});
        EXPECT_EQ(Checked(d, {IDC_INSIDE_MODE, IDC_OUTSIDE_MODE}), inside ? "10" : "01");
        EXPECT_EQ(Enabled(d, kOutsideRadios), inside ? "00000000" : "11111111");
        EXPECT_EQ(Enabled(d, kInsideRadios), inside ? "11111" : "00000");
        if (!d.IsChecked(mode)) {
          ASSERT_TRUE(d.UserClick(mode));
        }
        ASSERT_TRUE(d.UserClick(id));
        EXPECT_EQ(CheckedRadios(d), std::vector<int>{id});
        ASSERT_TRUE(d.UserClick(IDOK));
      });
      h.Then([&] { chosen.push_back(TypeAndPosition(h)); });
      shown = id;
    }
  }
  // The choices of the session are what Save writes, the direction too.
  h.RunWith([&] {
    ASSERT_TRUE(h.Window().UserClick(IDC_MERGE));
    ASSERT_TRUE(h.Window().UserClick(IDC_MERGE_VERTICAL));
    ASSERT_TRUE(h.Window().UserClick(IDC_SAVE));
  });
  const std::vector<std::pair<int, int>> expected = {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2},
                                                     {6, 2}, {7, 2}, {8, 2}, {0, 0}, {0, 1},
                                                     {0, 2}, {0, 3}, {0, 4}};
  EXPECT_EQ(chosen, expected);
  const settings::SessionSettings saved = SavedSettings(h);
  EXPECT_EQ(std::pair(saved.Webcam.MergeType, saved.Webcam.MergePosition), std::pair(0, 4));
  EXPECT_EQ(saved.MergeHV.direction, 2);
}

// A saved type no radio stands for checks none; OK unchanged and Cancel
// keep it.
TEST_F(MergeOptionsDialog, ModeButtonsStartAtTheirFirstPlaceAndCancelChangesNothing) {
  settings::SessionSettings saved;
  saved.Webcam.MergeType = 9;
  saved.Webcam.MergePosition = 1;
  h.SaveSettings(saved);
  h.Then([&] { h.ClickHidden(IDC_MERGE_SETTINGS); });
  h.Then([&] { ASSERT_TRUE(Modal(h, IDD_MERGE_OPTIONS).UserClick(IDOK)); });
  h.Then([&] { h.ClickHidden(IDC_MERGE_SETTINGS); });
  h.Then([&] {
    auto& d = Modal(h, IDD_MERGE_OPTIONS);
    ASSERT_TRUE(d.UserClick(IDC_INSIDE_MODE));
    EXPECT_EQ(CheckedRadios(d), std::vector<int>{1049});
    ASSERT_TRUE(d.UserClick(1057));
    ASSERT_TRUE(d.UserClick(IDCANCEL));
    EXPECT_TRUE(d.IsModalEnded());
  });
  h.Then([&] {
    EXPECT_EQ(h.host.ui.ActiveModal(), &h.Window());
    EXPECT_EQ(TypeAndPosition(h), std::pair(9, 1));
    h.ClickHidden(IDC_MERGE_SETTINGS);
  });
  h.Then([&] {
    auto& d = Modal(h, IDD_MERGE_OPTIONS);
    EXPECT_EQ(CheckedRadios(d), std::vector<int>{});
    EXPECT_EQ(Checked(d, {IDC_INSIDE_MODE, IDC_OUTSIDE_MODE}), "01");
    ASSERT_TRUE(d.UserClick(IDC_INSIDE_MODE));
    ASSERT_TRUE(d.UserClick(IDC_OUTSIDE_MODE));
    EXPECT_EQ(Checked(d, {IDC_INSIDE_MODE, IDC_OUTSIDE_MODE}), "01");
    EXPECT_EQ(CheckedRadios(d), std::vector<int>{1060});
    ASSERT_TRUE(d.UserClick(IDOK));
  });
  // Switching to inside reset the position to the top right.
  h.RunWith([&] { EXPECT_EQ(TypeAndPosition(h), std::pair(2, 2)); });
}
