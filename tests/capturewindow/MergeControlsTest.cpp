// The two-picture merge on the capture window: its check box against the
// other capture options, and the merge preview floating over the lower part
// of the live picture.
#include "CaptureWindowHarness.h"
#include "settings/SettingsFile.h"

namespace {

using Lines = std::vector<std::string>;

headless::HeadlessWindow& PreviewOf(CaptureWindowHarness& h) {
  return *static_cast<headless::HeadlessWindow*>(h.dialog->Merges().Preview());
}

// Moves the placeholder of the live picture, as a different window size
// would place it.
platform::Rect SetPictureArea(CaptureWindowHarness& h, int width, int height) {
  const platform::Rect area{10, 20, 10 + width, 20 + height};
  h.Window().MoveControl(IDC_PREVIEW_AREA, area);
  return h.Window().ControlScreenRect(IDC_PREVIEW_AREA);
}

}  // namespace

TEST(MergeControls, MultipleCropTurnsTheMergeOffAndHidesThePreview) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    EXPECT_TRUE(PreviewOf(h).IsVisible());
    EXPECT_TRUE(w.IsEnabled(IDC_MERGE_HORIZONTAL));
    ASSERT_TRUE(w.UserSelect(IDC_CROP_MODE, 2));
    EXPECT_FALSE(w.IsChecked(IDC_MERGE));
    EXPECT_FALSE(PreviewOf(h).IsVisible());
    EXPECT_FALSE(w.IsEnabled(IDC_MERGE_HORIZONTAL));
    EXPECT_FALSE(w.IsEnabled(IDC_MERGE_VERTICAL));
  });
  h.Run();
}

TEST(MergeControls, CheckingTheMergeTurnsMultipleCropIntoSingle) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_TRUE(w.UserSelect(IDC_CROP_MODE, 2));
    h.ClearCallLog();
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 1);
    EXPECT_EQ(h.CallLines(), (Lines{"camSetImageAutoCrop(0,1)"}));
  });
  h.Run();
}

TEST(MergeControls, TheTwoMergesExcludeEachOther) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    h.ClickHidden(IDC_SECONDARY_MERGE);
    EXPECT_TRUE(w.IsChecked(IDC_SECONDARY_MERGE));
    EXPECT_TRUE(w.IsEnabled(IDC_MERGE_SETTINGS));
    EXPECT_FALSE(w.IsChecked(IDC_MERGE));
    EXPECT_FALSE(PreviewOf(h).IsVisible());

    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    EXPECT_TRUE(w.IsChecked(IDC_MERGE));
    EXPECT_FALSE(w.IsChecked(IDC_SECONDARY_MERGE));
    EXPECT_FALSE(w.IsEnabled(IDC_MERGE_SETTINGS));
    EXPECT_TRUE(PreviewOf(h).IsVisible());
  });
  h.Run();
}

TEST(MergeControls, TheColourListStaysWhileAFirstPictureWaits) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    // What the first shot of a pair does.
    h.dialog->Pipeline().Pair().TakeFirstPicture("1_1000.bmp");
    w.Enable(IDC_COLOR_MODE, false);

    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    EXPECT_TRUE(w.IsEnabled(IDC_COLOR_MODE));
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    EXPECT_FALSE(w.IsEnabled(IDC_COLOR_MODE));

    // Once the pair is complete the box no longer holds the list.
    h.dialog->Pipeline().Pair().TakeSecondPicture("1_2000.bmp");
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    EXPECT_TRUE(w.IsEnabled(IDC_COLOR_MODE));
  });
  h.Run();
}

TEST(MergeControls, HorizontalPlacesThePreviewOnTheLowerThirdWithPanesSideBySide) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    const platform::Rect area = SetPictureArea(h, 900, 600);
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    ASSERT_TRUE(w.UserClick(IDC_MERGE_HORIZONTAL));
    auto& preview = PreviewOf(h);
    EXPECT_TRUE(preview.IsVisible());
    EXPECT_EQ(preview.WindowRect(),
              (platform::Rect{area.left + 2, area.top + 400, area.left + 452, area.top + 600}));
    EXPECT_EQ(preview.ControlRect(IDC_MERGE_FIRST_PANE), (platform::Rect{6, 6, 220, 194}));
    EXPECT_EQ(preview.ControlRect(IDC_MERGE_SECOND_PANE), (platform::Rect{230, 6, 444, 194}));
  });
  h.Run();
}

TEST(MergeControls, ATinyPictureAreaGivesPanesWithoutSize) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    SetPictureArea(h, 20, 15);
    ASSERT_TRUE(w.UserClick(IDC_MERGE));
    ASSERT_TRUE(w.UserClick(IDC_MERGE_HORIZONTAL));
    auto& preview = PreviewOf(h);
    EXPECT_EQ(preview.WindowRect().Width(), 10);
    EXPECT_EQ(preview.WindowRect().Height(), 5);
    for (int pane : {IDC_MERGE_FIRST_PANE, IDC_MERGE_SECOND_PANE}) {
      EXPECT_EQ(preview.ControlRect(pane).Width(), 0) << pane;
      EXPECT_EQ(preview.ControlRect(pane).Height(), 0) << pane;
    }
  });
  h.Run();
}

TEST(MergeControls, MovingTheWindowMovesAHiddenPreviewToo) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.MergeHV.isEnable = false;
  saved.MergeHV.direction = 1;
  ASSERT_TRUE(settings::SaveSessionSettingsFile(
      h.host.os, h.ProgramFile("LastSetting.xml").string(), saved));
  h.Then([&] {
    auto& preview = PreviewOf(h);
    EXPECT_FALSE(preview.IsVisible());
    const platform::Rect area = SetPictureArea(h, 300, 90);
    h.dialog->OnMoving();
    EXPECT_FALSE(preview.IsVisible());
    EXPECT_EQ(preview.WindowRect(),
              (platform::Rect{area.left + 2, area.top + 60, area.left + 152, area.top + 90}));
  });
  h.Run();
}

TEST(MergeControls, APluggedCameraDoesNotBringBackTheOtherMerge) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.Webcam.isMerge = true;
  ASSERT_TRUE(settings::SaveSessionSettingsFile(
      h.host.os, h.ProgramFile("LastSetting.xml").string(), saved));
  h.Then([&] {
    EXPECT_TRUE(h.Window().IsChecked(IDC_SECONDARY_MERGE));
    ASSERT_TRUE(h.Window().UserClick(IDC_MERGE));
    EXPECT_FALSE(h.Window().IsChecked(IDC_SECONDARY_MERGE));
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.PlugDevice("Visitor"), 3);
  });
  h.Then([&] {
    EXPECT_TRUE(h.Window().IsChecked(IDC_MERGE));
    EXPECT_FALSE(h.Window().IsChecked(IDC_SECONDARY_MERGE));
    EXPECT_TRUE(PreviewOf(h).IsVisible());
  });
  h.Run();
}
