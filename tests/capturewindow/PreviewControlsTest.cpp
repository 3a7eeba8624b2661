// The row under the live picture: each button is one call for the main
// camera, and only autofocus reports a failure.
#include "CaptureWindowHarness.h"

namespace {

using Lines = std::vector<std::string>;

}  // namespace

TEST(PreviewControls, OneToOneThenBestSendsExactlyThoseTwoCalls) {
  CaptureWindowHarness h;
  h.Then([&] {
    h.ClearCallLog();
    ASSERT_TRUE(h.Window().UserClick(IDC_ORIGINAL_SIZE));
    ASSERT_TRUE(h.Window().UserClick(IDC_BEST_FIT));
    EXPECT_EQ(h.CallLines(), (Lines{"camOriginalPreview(0)", "camOptimalPreview(0)"}));
  });
  h.Run();
}

TEST(PreviewControls, ZoomActsOnWhicheverCameraIsTheMainOne) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_TRUE(w.UserClick(IDC_ZOOM_IN));
    ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 1));
    h.ClearCallLog();
    ASSERT_TRUE(w.UserClick(IDC_ZOOM_OUT));
    ASSERT_TRUE(w.UserClick(IDC_ZOOM_IN));
    EXPECT_EQ(h.CallLines(), (Lines{"camZoomOut(1)", "camZooIn(1)"}));
  });
  h.Run();
}

TEST(PreviewControls, ARotationIsSentAsSoonAsItIsChosen) {
  CaptureWindowHarness h;
  h.Then([&] {
    h.ClearCallLog();
    ASSERT_TRUE(h.Window().UserSelect(IDC_ROTATE, 2));
    EXPECT_EQ(h.CallLines(), (Lines{"camSetImageRotateMode(0,2)"}));
  });
  h.Run();
}

TEST(PreviewControls, AutofocusShowsErrorOnlyWhenItFails) {
  CaptureWindowHarness h;
  h.Then([&] {
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camAutoFocus", 1, -3), 0);
    h.ClickHidden(IDC_AUTO_FOCUS);
    EXPECT_EQ(h.host.ui.messageBoxes, std::vector<std::u16string>{u"error"});
    h.ClickHidden(IDC_AUTO_FOCUS);
    EXPECT_EQ(h.host.ui.messageBoxes.size(), 1u);
    const Lines names = h.CallLines();
    EXPECT_EQ(std::count(names.begin(), names.end(), "camAutoFocus(0,0)"), 2);
  });
  h.Run();
}

TEST(PreviewControls, TheLibrarysSettingsWindowsOpenForTheMainCamera) {
  CaptureWindowHarness h;
  h.Then([&] {
    h.ClearCallLog();
    h.ClickHidden(IDC_DEVICE_SETTINGS);
    h.ClickHidden(IDC_IMAGE_SETTINGS);
    EXPECT_EQ(h.CallLines(), (Lines{"camShowDevSettingWindow(0)", "camShowImageSettingWindow(0)"}));
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
  h.Run();
}
