// The watermark dialog opened from the settings button: what it shows, what
// OK keeps and sends, and that Cancel keeps nothing.
#include "WatermarkSteps.h"

using namespace watermark_test;

namespace {

// Starts the window with these options saved and the watermark on, and opens
// the dialog from the settings button; the steps queued next run while it
// is open.
void OpenDialogWith(CaptureWindowHarness& h, settings::SessionSettings saved) {
  saved.WaterMark.isEnable = true;
  SaveSettings(h, saved);
  h.Then([&h] {
    ShowWatermarkControls(h);
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK_SETTINGS));
  });
}

settings::SessionSettings Saved() { return settings::SessionSettings{}; }

const int kRadiosInIndexOrder[] = {1046, 1047, 1049, 1048, 1050, 1051, 1053, 1052, 1054};

}  // namespace

TEST(WatermarkDialog, OpensWithTheOptionsAndTheLanguagesTexts) {
  CaptureWindowHarness h;
  h.host.desktop.fontNames = {u"Times New Roman", u"arial black", u"Arial", u"Courier New"};
  OpenDialogWith(h, Saved());
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    EXPECT_EQ(d.TimesCentred(), 1) << "over the capture window";
    EXPECT_EQ(d.Caption(), u"Watermark Setting");
    EXPECT_EQ(d.Text(IDC_WM_FONT_LABEL), u"Font");
    EXPECT_EQ(d.Text(IDC_WM_SIZE_LABEL), u"Font Size");
    EXPECT_EQ(d.Text(IDC_WM_COLOR_LABEL), u"color");
    EXPECT_EQ(d.Text(IDC_WM_TRANSPARENCY_LABEL), u"Transparency");
    EXPECT_EQ(d.Text(IDC_WM_ANGLE_LABEL), u"Angle");
    EXPECT_EQ(d.Text(IDC_WM_BOLD), u"Weight");
    EXPECT_EQ(d.Text(IDC_WM_ITALIC), u"Italic");
    EXPECT_EQ(d.Text(IDC_WM_UNDERLINE), u"Underline");
    EXPECT_EQ(d.Text(IDC_WM_TEXT_LABEL), u"Content");
    EXPECT_EQ(d.Text(IDC_WM_TIME_STAMP), u"Time Stamp");
    EXPECT_EQ(d.Text(IDC_WM_POSITION_GROUP), u"Postion");
    const std::u16string places[] = {u"Left Top", u"Top",    u"Right Top",
                                     u"Left",     u"Middle", u"Right",
                                     u"Left Bottom", u"Bottom", u"Right Bottom"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(d.Text(kRadiosInIndexOrder[i]), places[i]) << i;
    EXPECT_EQ(d.Text(IDOK), u"Ok");
    EXPECT_EQ(d.Text(IDCANCEL), u"Cancel");

    // The system's fonts in the list's order, the option's face selected.
    ASSERT_EQ(d.ItemCount(IDC_WM_FONT), 4);
    EXPECT_EQ(d.ItemText(IDC_WM_FONT, 0), u"Arial");
    EXPECT_EQ(d.ItemText(IDC_WM_FONT, 1), u"arial black");
    EXPECT_EQ(d.ItemText(IDC_WM_FONT, 3), u"Times New Roman");
    EXPECT_EQ(d.Selection(IDC_WM_FONT), 0);
    EXPECT_EQ(d.Text(IDC_WM_FONT), u"Arial");

    const std::u16string sizes[] = {u"5",  u"8",  u"9",  u"10", u"11", u"12", u"14", u"16", u"18",
                                    u"20", u"22", u"24", u"26", u"28", u"36", u"48", u"72"};
    ASSERT_EQ(d.ItemCount(IDC_WM_SIZE), 17);
    for (int i = 0; i < 17; ++i) EXPECT_EQ(d.ItemText(IDC_WM_SIZE, i), sizes[i]) << i;
    EXPECT_EQ(d.Text(IDC_WM_SIZE), u"36");

    EXPECT_EQ(d.ChosenColor(IDC_WM_COLOR), 0x000000FFu);
    EXPECT_EQ(d.SliderPosition(IDC_WM_TRANSPARENCY), 70);
    EXPECT_EQ(d.Text(IDC_WM_TRANSPARENCY_VALUE), u"70%");
    EXPECT_EQ(d.SliderPosition(IDC_WM_ANGLE), 30);
    EXPECT_EQ(d.Text(IDC_WM_ANGLE_VALUE), u"30°");
    EXPECT_FALSE(d.IsChecked(IDC_WM_BOLD));
    EXPECT_FALSE(d.IsChecked(IDC_WM_ITALIC));
    EXPECT_FALSE(d.IsChecked(IDC_WM_UNDERLINE));
    EXPECT_TRUE(d.IsChecked(IDC_WM_TIME_STAMP));
    EXPECT_EQ(d.Text(IDC_WM_TEXT), u"");
    for (int i = 0; i < 9; ++i) EXPECT_EQ(d.IsChecked(kRadiosInIndexOrder[i]), i == 4) << i;
    d.UserClick(IDCANCEL);
  });
  h.Run();
}

TEST(WatermarkDialog, AStoredSize13ShowsAnEmptyFieldAndOkStoresZero) {
  CaptureWindowHarness h;
  settings::SessionSettings saved = Saved();
  saved.WaterMark.WordSize = 13;
  saved.WaterMark.isAddTimeStamp = false;
  OpenDialogWith(h, saved);
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    EXPECT_EQ(d.Selection(IDC_WM_SIZE), -1);
    EXPECT_EQ(d.Text(IDC_WM_SIZE), u"");
    d.UserClick(IDOK);
  });
  h.Then([&] {
    EXPECT_EQ(h.dialog->Watermark().Options().fontSize, 0);
    EXPECT_EQ(LastWatermarkCall(h),
              "camSetImageWaterMark(0,\"\",4,0,\"Arial\",0,0,0,30,70,255,0,0,1)");
  });
  h.Run();
}

TEST(WatermarkDialog, AStoredSize1SelectsTen) {
  CaptureWindowHarness h;
  settings::SessionSettings saved = Saved();
  saved.WaterMark.WordSize = 1;
  OpenDialogWith(h, saved);
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    EXPECT_EQ(d.Selection(IDC_WM_SIZE), 3);
    EXPECT_EQ(d.Text(IDC_WM_SIZE), u"10");
    d.UserClick(IDOK);
  });
  h.Then([&] { EXPECT_EQ(h.dialog->Watermark().Options().fontSize, 10); });
  h.Run();
}

TEST(WatermarkDialog, AFontTheListLacksLeavesItWithoutSelectionAndOkStoresTheListsText) {
  CaptureWindowHarness h;
  settings::SessionSettings saved = Saved();
  saved.WaterMark.font = "Garamond";
  OpenDialogWith(h, saved);
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    EXPECT_EQ(d.Selection(IDC_WM_FONT), -1);
    EXPECT_EQ(d.Text(IDC_WM_FONT), u"");
    d.UserClick(IDOK);
  });
  h.Then([&] {
    EXPECT_EQ(h.dialog->Watermark().Options().font, u"");
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK_SETTINGS));
  });
  // A name the user types is taken as it is.
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    ASSERT_TRUE(d.UserType(IDC_WM_FONT, u"Garamond"));
    d.UserClick(IDOK);
  });
  h.Then([&] { EXPECT_EQ(h.dialog->Watermark().Options().font, u"Garamond"); });
  h.Run();
}

TEST(WatermarkDialog, TheSliderLabelsFollowTheSlidersAndTheAngleEndIs360) {
  CaptureWindowHarness h;
  settings::SessionSettings saved = Saved();
  saved.WaterMark.isAddTimeStamp = false;
  OpenDialogWith(h, saved);
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    ASSERT_TRUE(d.UserMoveSlider(IDC_WM_ANGLE, 200));
    EXPECT_EQ(d.Text(IDC_WM_ANGLE_VALUE), u"200°");
    ASSERT_TRUE(d.UserMoveSlider(IDC_WM_ANGLE, 400));
    EXPECT_EQ(d.SliderPosition(IDC_WM_ANGLE), 360);
    EXPECT_EQ(d.Text(IDC_WM_ANGLE_VALUE), u"360°");
    ASSERT_TRUE(d.UserMoveSlider(IDC_WM_TRANSPARENCY, 101));
    EXPECT_EQ(d.Text(IDC_WM_TRANSPARENCY_VALUE), u"100%");
    ASSERT_TRUE(d.UserMoveSlider(IDC_WM_TRANSPARENCY, 15));
    EXPECT_EQ(d.Text(IDC_WM_TRANSPARENCY_VALUE), u"15%");
    d.UserClick(IDOK);
  });
  h.Then([&] {
    EXPECT_EQ(h.dialog->Watermark().Options().angle, 360.0f);
    EXPECT_EQ(h.dialog->Watermark().Options().transparency, 15.0f);
    EXPECT_EQ(LastWatermarkCall(h),
              "camSetImageWaterMark(0,\"\",4,36,\"Arial\",0,0,0,360,15,255,0,0,1)");
  });
  h.Run();
}

TEST(WatermarkDialog, CancelAfterChangingEverythingKeepsTheOptionsAndCallsNothing) {
  CaptureWindowHarness h;
  OpenDialogWith(h, Saved());
  size_t callsBefore = 0;
  WatermarkOptions before;
  h.Then([&] {
    callsBefore = h.CallLines().size();
    before = h.dialog->Watermark().Options();
    auto& d = WatermarkDialog(h);
    d.UserSelect(IDC_WM_FONT, 1);
    d.UserType(IDC_WM_SIZE, u"99");
    d.UserPickColor(IDC_WM_COLOR, 0x00123456);
    d.UserMoveSlider(IDC_WM_TRANSPARENCY, 5);
    d.UserMoveSlider(IDC_WM_ANGLE, 5);
    d.UserClick(IDC_WM_BOLD);
    d.UserClick(IDC_WM_ITALIC);
    d.UserClick(IDC_WM_UNDERLINE);
    d.UserClick(IDC_WM_TIME_STAMP);
    d.UserType(IDC_WM_TEXT, u"Changed");
    d.UserClick(IDC_WM_POS_BOTTOM_RIGHT);
    ASSERT_TRUE(d.UserClick(IDCANCEL));
  });
  h.Then([&] {
    const WatermarkOptions& after = h.dialog->Watermark().Options();
    EXPECT_EQ(after.font, before.font);
    EXPECT_EQ(after.fontSize, before.fontSize);
    EXPECT_EQ(after.red, before.red);
    EXPECT_EQ(after.green, before.green);
    EXPECT_EQ(after.blue, before.blue);
    EXPECT_EQ(after.transparency, before.transparency);
    EXPECT_EQ(after.angle, before.angle);
    EXPECT_EQ(after.bold, before.bold);
    EXPECT_EQ(after.italic, before.italic);
    EXPECT_EQ(after.underline, before.underline);
    EXPECT_EQ(after.timeStamp, before.timeStamp);
    EXPECT_EQ(after.text, before.text);
    EXPECT_EQ(after.position, before.position);
    EXPECT_EQ(h.CallLines().size(), callsBefore);
    EXPECT_EQ(h.host.ui.LastModal(IDD_WATERMARK), nullptr) << "the dialog is closed";
  });
  h.Run();
}

TEST(WatermarkDialog, OkStoresEveryFieldAndSendsThem) {
  CaptureWindowHarness h;
  OpenDialogWith(h, Saved());
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    ASSERT_TRUE(d.UserSelect(IDC_WM_FONT, 4));  // "Times New Roman"
    ASSERT_TRUE(d.UserSelect(IDC_WM_SIZE, 9));  // "20"
    ASSERT_TRUE(d.UserPickColor(IDC_WM_COLOR, 0x00804020));
    ASSERT_TRUE(d.UserMoveSlider(IDC_WM_TRANSPARENCY, 15));
    ASSERT_TRUE(d.UserMoveSlider(IDC_WM_ANGLE, 90));
    ASSERT_TRUE(d.UserClick(IDC_WM_BOLD));
    ASSERT_TRUE(d.UserClick(IDC_WM_ITALIC));
    ASSERT_TRUE(d.UserClick(IDC_WM_UNDERLINE));
    ASSERT_TRUE(d.UserClick(IDC_WM_TIME_STAMP));
    ASSERT_TRUE(d.UserType(IDC_WM_TEXT, u"Draft"));
    ASSERT_TRUE(d.UserClick(IDC_WM_POS_BOTTOM_RIGHT));
    EXPECT_FALSE(d.IsChecked(IDC_WM_POS_CENTRE));
    ASSERT_TRUE(d.UserClick(IDOK));
  });
  h.Then([&] {
    const WatermarkOptions& o = h.dialog->Watermark().Options();
    EXPECT_EQ(o.font, u"Times New Roman");
    EXPECT_EQ(o.fontSize, 20);
    EXPECT_EQ(o.red, 0x20);
    EXPECT_EQ(o.green, 0x40);
    EXPECT_EQ(o.blue, 0x80);
    EXPECT_EQ(o.transparency, 15.0f);
    EXPECT_EQ(o.angle, 90.0f);
    EXPECT_TRUE(o.bold);
    EXPECT_TRUE(o.italic);
    EXPECT_TRUE(o.underline);
    EXPECT_FALSE(o.timeStamp);
    EXPECT_EQ(o.text, u"Draft");
    EXPECT_EQ(o.position, 8);
    EXPECT_TRUE(o.enabled) << "the dialog leaves the switch alone";
    EXPECT_EQ(LastWatermarkCall(h), "camSetImageWaterMark(0,\"Draft\",8,20,\"Times New Roman\","
                                    "1,1,1,90,15,32,64,128,1)");
  });
  h.Run();
}

TEST(WatermarkDialog, TypedSizesAreReadByTheirLeadingNumberWithoutRangeCheck) {
  CaptureWindowHarness h;
  OpenDialogWith(h, Saved());
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    ASSERT_TRUE(d.UserType(IDC_WM_SIZE, u" 500pt"));
    d.UserClick(IDOK);
  });
  h.Then([&] {
    EXPECT_EQ(h.dialog->Watermark().Options().fontSize, 500);
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK_SETTINGS));
  });
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    ASSERT_TRUE(d.UserType(IDC_WM_SIZE, u"large"));
    d.UserClick(IDOK);
  });
  h.Then([&] { EXPECT_EQ(h.dialog->Watermark().Options().fontSize, 0); });
  h.Run();
}

TEST(WatermarkDialog, APositionOutsideTheGridChecksNoRadioAndOkKeepsIt) {
  CaptureWindowHarness h;
  settings::SessionSettings saved = Saved();
  saved.WaterMark.position = 12;
  OpenDialogWith(h, saved);
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    for (int id : kRadiosInIndexOrder) EXPECT_FALSE(d.IsChecked(id)) << id;
    d.UserClick(IDOK);
  });
  h.Then([&] { EXPECT_EQ(h.dialog->Watermark().Options().position, 12); });
  h.Run();
}

TEST(WatermarkDialog, TextTheAnsiCodePageCannotHoldIsSentWholeWithItsDefaultCharacter) {
  CaptureWindowHarness h;
  const std::u16string longText(3000, u'W');
  settings::SessionSettings saved = Saved();
  saved.WaterMark.isAddTimeStamp = false;
  OpenDialogWith(h, saved);
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    ASSERT_TRUE(d.UserType(IDC_WM_TEXT, u"Grüße 水印 € " + longText + u"✓"));
    d.UserClick(IDOK);
  });
  h.Then([&] {
    // Windows-1252 holds ü, ß and €; the other three become '?'.
    EXPECT_EQ(LastWatermarkCall(h), "camSetImageWaterMark(0,\"Gr\xFC\xDF" "e ?? \x80 " +
                                        std::string(3000, 'W') +
                                        "?\",4,36,\"Arial\",0,0,0,30,70,255,0,0,1)");
  });
  h.Run();
}

TEST(WatermarkDialog, AStoredColourOutsideTheByteRangeShowsClampedOnTheButton) {
  CaptureWindowHarness h;
  settings::SessionSettings saved = Saved();
  saved.WaterMark.color = {-1, 256, 1000};
  OpenDialogWith(h, saved);
  h.Then([&] {
    auto& d = WatermarkDialog(h);
    EXPECT_EQ(d.ChosenColor(IDC_WM_COLOR), 0x00FFFF00u);
    d.UserClick(IDOK);
  });
  h.Then([&] {
    const WatermarkOptions& o = h.dialog->Watermark().Options();
    EXPECT_EQ(o.red, 0);
    EXPECT_EQ(o.green, 255);
    EXPECT_EQ(o.blue, 255);
  });
  h.Run();
}
