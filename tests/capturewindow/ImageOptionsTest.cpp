// The options of the left column and the row under the live picture as the
// camera library sees them: each choice is sent to the main camera when it
// changes and when the data source pushes its scan settings (the saved ones
// at start-up are the start-up session's).
#include <functional>
#include <limits>

#include "SessionSteps.h"

using namespace steps;

using ImageOptions = WindowTest;

namespace {

// What the user does, every call it sends, the messages it shows and, for
// hand cropping, the crop mode and the HandCut setting it leaves. Grey,
// black and white, a rotation and the edge fill are sent as the choices a
// device change sends to the new camera (HotPlug) and as the data source's
// scan settings send them.
struct UserChoice {
  const char* name;
  std::function<void(CaptureWindowHarness&)> act;
  Lines calls;
  Texts messages = {};
  int cropMode = -1, handCut = -1;  // -1: not compared
};

void Select(CaptureWindowHarness& h, int id, int index) {
  ASSERT_TRUE(h.Window().UserSelect(id, index));
}
void Click(CaptureWindowHarness& h, int id) { ASSERT_TRUE(h.Window().UserClick(id)); }

const UserChoice kChoices[] = {
    {"BlackAndWhiteDocument", [](auto& h) { Select(h, IDC_COLOR_MODE, 2); },
     {"camSetImageColorStyle(0,2)", "camSetImageAdjust(0,1)"}},
    {"ColourAgain",
     [](auto& h) {
       Select(h, IDC_COLOR_MODE, 1);
       h.ClearCallLog();
       Select(h, IDC_COLOR_MODE, 0);
     },
     {"camSetImageColorStyle(0,0)", "camSetImageAdjust(0,0)"}},
    {"OneToOneThenBest",
     [](auto& h) {
       Click(h, IDC_ORIGINAL_SIZE);
       Click(h, IDC_BEST_FIT);
     },
     {"camOriginalPreview(0)", "camOptimalPreview(0)"}},
    {"ZoomOnWhicheverCameraIsTheMainOne",
     [](auto& h) {
       Click(h, IDC_ZOOM_IN);
       Select(h, IDC_DEVICE, 1);
       h.ClearCallLog();
       Click(h, IDC_ZOOM_OUT);
       Click(h, IDC_ZOOM_IN);
     },
     {"camZoomOut(1)", "camZooIn(1)"}},
    {"TheLibrarysSettingsWindows",
     [](auto& h) {
       h.ClickHidden(IDC_DEVICE_SETTINGS);
       h.ClickHidden(IDC_IMAGE_SETTINGS);
     },
     {"camShowDevSettingWindow(0)", "camShowImageSettingWindow(0)"}},
    {"AutofocusSaysErrorOnlyWhenItFails",
     [](auto& h) {
       h.Hooks().FailNext("camAutoFocus", 1, -3);
       h.ClickHidden(IDC_AUTO_FOCUS);
       h.ClickHidden(IDC_AUTO_FOCUS);
     },
     {"camAutoFocus(0,0)", "camAutoFocus(0,0)"}, {u"error"}},
    {"HandCropForcesNoCropping",
     [](auto& h) {
       Select(h, IDC_CROP_MODE, 2);
       h.ClearCallLog();
       Click(h, IDC_HAND_CROP);
     },
     {"camSetImageCusCropRect(0,0,0,100,100)", "camSetImageAutoCrop(0,0)"}, {}, 0, 1},
    {"HandCropOffGivesTheCropModeBack",
     [](auto& h) {
       Select(h, IDC_CROP_MODE, 2);
       Click(h, IDC_HAND_CROP);
       h.ClearCallLog();
       Click(h, IDC_HAND_CROP);
     },
     {"camSetImageCusCropRect(0,0,0,0,0)", "camSetImageAutoCrop(0,2)"}, {}, 2, 0},
};

void PrintTo(const UserChoice& c, std::ostream* os) { *os << c.name; }

class UserChoiceCalls : public testing::TestWithParam<UserChoice> {};

}  // namespace

TEST_P(UserChoiceCalls, SendExactlyTheirCallsToTheMainCamera) {
  CaptureWindowHarness h;
  h.RunWith([&] {
    h.ClearCallLog();
    GetParam().act(h);
    EXPECT_EQ(Calls(h), GetParam().calls);
    EXPECT_EQ(h.host.ui.messageBoxes, GetParam().messages);
    if (GetParam().cropMode >= 0) {
      EXPECT_EQ(h.Window().Selection(IDC_CROP_MODE), GetParam().cropMode);
      EXPECT_EQ(h.dialog->Settings().HandCut, GetParam().handCut);
    }
  });
}

INSTANTIATE_TEST_SUITE_P(ImageOptions, UserChoiceCalls, testing::ValuesIn(kChoices),
                         [](const auto& info) { return std::string(info.param.name); });

// Colour (2) is item 0 of the colour list, black and white (0) item 3; a
// DPI selects the DPI unit and sends its row; crop only follows a set
// auto-crop flag. Unusable values, or a unit list without a DPI item, keep
// the current choices.
TEST_F(ImageOptions, TheDataSourcesScanSettingsReachTheLibraryThroughTheHandlers) {
  h.RunWith([&](auto& w) {
    const auto send = [&](int32_t pixelType, float resolution, int32_t rotation, uint8_t autoCrop) {
      DSScanSettings settings;
      settings.pixelType = pixelType;
      settings.resolution = resolution;
      settings.rotation = rotation;
      settings.autoCrop = autoCrop;
      ASSERT_TRUE(h.dataSource.SendScanSettings(settings));
    };
    const auto dpi = [&] { return h.dialog->Settings().DPI.ImageDPI; };
    w.SetSelection(IDC_UNIT, 0);
    h.ClearCallLog();
    send(0, 300.0f, 2, 1);
    EXPECT_EQ(Calls(h, {"camSetImageColorStyle", "camSetImageAdjust", "camSetImageAutoCrop",
                        "camSetImageCusCropRect", "camSetImageFillBorder", "camSetImageRotateMode",
                        "camSetImageDPI"}),
              (Lines{"camSetImageAutoCrop(0,1)", "camSetImageDPI(0,300,300)",
                     "camSetImageColorStyle(0,2)", "camSetImageAdjust(0,4)",
                     "camSetImageRotateMode(0,2)"}));
    EXPECT_EQ(w.Selection(IDC_UNIT), 1);
    EXPECT_EQ(w.Selection(IDC_COLOR_MODE), 3);
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 1);
    send(2, 299.9f, 1, 0);
    EXPECT_EQ(w.Selection(IDC_COLOR_MODE), 0);
    EXPECT_EQ(dpi(), 299);
    EXPECT_EQ(w.Selection(IDC_ROTATE), 1);
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 1);

    send(2, 300.0f, 2, 0);
    for (float bad : {-5.0f, 1e20f, std::numeric_limits<float>::quiet_NaN(),
                      std::numeric_limits<float>::infinity()}) {
      send(2, bad, 7, 0);
      EXPECT_EQ(dpi(), 300);
      EXPECT_EQ(w.Selection(IDC_ROTATE), 2);
    }
    send(2, 150.0f, -1, 0);
    EXPECT_EQ(w.Selection(IDC_ROTATE), 2);
    EXPECT_EQ(dpi(), 150);
    w.ClearItems(IDC_UNIT);
    w.AddItem(IDC_UNIT, u"Resolution");
    w.SetSelection(IDC_UNIT, 0);
    send(2, 300.0f, 0, 0);
    EXPECT_EQ(w.Selection(IDC_UNIT), 0);
    EXPECT_EQ(dpi(), 150);
  });
}
