// The watermark: what the camera library receives with each shot, and the
// settings dialog (what it shows of the stored options, what OK keeps and
// sends, and that Cancel keeps nothing). What start-up sends with the
// watermark off is the start-up session's. The headless clock reads
// 2026-12-07 09:30:00.
#include <cstdio>

#include "SessionSteps.h"
#include "platform/headless/TextConversions.h"

using namespace steps;

namespace {

using WatermarkCheckBox = WindowTest;

const int kPlacesInIndexOrder[] = {1046, 1047, 1049, 1048, 1050, 1051, 1053, 1052, 1054};

// The library's call with these arguments after the device.
std::string Sent(const std::string& arguments) { return "camSetImageWaterMark(0," + arguments + ")"; }
const std::string kStamp = "\" 2026-12-07 09:30:00\"";
const std::string kDefaultsOn = Sent(kStamp + ",4,36,\"Arial\",0,0,0,30,70,255,0,0,1");

// What the dialog shows, in one line: font | size | colour as BBGGRR |
// transparency and its label | angle and its label | bold, italic,
// underline and time stamp (1 checked) | text | the checked places.
std::string State(headless::HeadlessWindow& d) {
  char colour[16];
  std::snprintf(colour, sizeof colour, "%06X", d.ChosenColor(IDC_WM_COLOR));
  std::string places;
  for (int i = 0; i < 9; ++i) places += d.IsChecked(kPlacesInIndexOrder[i]) ? std::to_string(i) : "";
  const auto text = [&](int id) { return headless::Utf16ToUtf8(d.Text(id)); };
  return text(IDC_WM_FONT) + "|" + text(IDC_WM_SIZE) + "|" + colour + "|" +
         std::to_string(d.SliderPosition(IDC_WM_TRANSPARENCY)) + " " +
         text(IDC_WM_TRANSPARENCY_VALUE) + "|" + std::to_string(d.SliderPosition(IDC_WM_ANGLE)) +
         " " + text(IDC_WM_ANGLE_VALUE) + "|" +
         Checked(d, {IDC_WM_BOLD, IDC_WM_ITALIC, IDC_WM_UNDERLINE, IDC_WM_TIME_STAMP}) + "|" +
         text(IDC_WM_TEXT) + "|" + places;
}

// Starts the window with these options saved and the watermark on, and opens
// the dialog from the settings button; the steps queued next run while it
// is open.
void OpenDialogWith(CaptureWindowHarness& h, settings::SessionSettings saved = {}) {
  saved.WaterMark.isEnable = true;
  h.SaveSettings(saved);
  h.Then([&h] {
    ShowWatermarkControls(h);
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK_SETTINGS));
  });
}

headless::HeadlessWindow& Dialog(CaptureWindowHarness& h) { return Modal(h, IDD_WATERMARK); }

void ChangeEverything(headless::HeadlessWindow& d) {
  ASSERT_TRUE(d.UserSelect(IDC_WM_FONT, 4));  // "Times New Roman"
  ASSERT_TRUE(d.UserSelect(IDC_WM_SIZE, 9));  // "20"
  ASSERT_TRUE(d.UserPickColor(IDC_WM_COLOR, 0x00804020));
  ASSERT_TRUE(d.UserMoveSlider(IDC_WM_TRANSPARENCY, 15));
  ASSERT_TRUE(d.UserMoveSlider(IDC_WM_ANGLE, 90));
  for (int id : {IDC_WM_BOLD, IDC_WM_ITALIC, IDC_WM_UNDERLINE, IDC_WM_TIME_STAMP}) {
    ASSERT_TRUE(d.UserClick(id));
  }
  ASSERT_TRUE(d.UserType(IDC_WM_TEXT, u"Draft"));
  ASSERT_TRUE(d.UserClick(IDC_WM_POS_BOTTOM_RIGHT));
}

// Options saved before the start and what the user does in the dialog; what
// the dialog then shows and what OK sends.
struct DialogCase {
  const char* name;
  void (*save)(settings::WaterMarkSettings&);
  void (*act)(headless::HeadlessWindow&);
  const char* shown;  // null: not compared
  std::string sent;
  int close = IDOK;
};

void PrintTo(const DialogCase& c, std::ostream* os) { *os << c.name; }

const DialogCase kDialogCases[] = {
    {"TheDefaults", nullptr, nullptr, "Arial|36|0000FF|70 70%|30 30°|0001||4", kDefaultsOn},
    // What an earlier session kept is shown and sent; the scripted full
    // session shows that OK's options are saved at the close.
    {"EveryStoredOption",
     [](auto& w) {
       // On, text, font, size, bold, italic, underline, colour, transparency,
       // angle, place and no time stamp.
       w = {true, "Brouillon \xE9", "Courier New", 48, true, false, true, {1, 2, 3}, 0, 359, 2, false};
     },
     nullptr, "Courier New|48|030201|0 0%|359 359°|1010|Brouillon é|2",
     Sent("\"Brouillon \xE9\",2,48,\"Courier New\",0,1,1,359,0,1,2,3,1")},
    {"AStoredSizeNotInTheListShowsNothingAndOkSendsZero", [](auto& w) { w.WordSize = 13; },
     nullptr, "Arial||0000FF|70 70%|30 30°|0001||4",
     Sent(kStamp + ",4,0,\"Arial\",0,0,0,30,70,255,0,0,1")},
    {"AStoredSize1IsTen", [](auto& w) { w.WordSize = 1; }, nullptr,
     "Arial|10|0000FF|70 70%|30 30°|0001||4", Sent(kStamp + ",4,10,\"Arial\",0,0,0,30,70,255,0,0,1")},
    {"AFontTheListLacksShowsNoneAndOkSendsNone", [](auto& w) { w.font = "Garamond"; }, nullptr,
     "|36|0000FF|70 70%|30 30°|0001||4", Sent(kStamp + ",4,36,\"\",0,0,0,30,70,255,0,0,1")},
    // The size is the leading number of what was typed, without a range check.
    {"TypedFontAndSizeAreTakenAsTheyAre", nullptr,
     [](auto& d) {
       ASSERT_TRUE(d.UserType(IDC_WM_FONT, u"Garamond"));
       ASSERT_TRUE(d.UserType(IDC_WM_SIZE, u" 500pt"));
     },
     nullptr, Sent(kStamp + ",4,500,\"Garamond\",0,0,0,30,70,255,0,0,1")},
    {"APositionOutsideTheGridChecksNoPlaceAndOkKeepsIt", [](auto& w) { w.position = 12; },
     nullptr, "Arial|36|0000FF|70 70%|30 30°|0001||",
     Sent(kStamp + ",12,36,\"Arial\",0,0,0,30,70,255,0,0,1")},
    {"AStoredColourOutsideTheByteRangeIsClamped", [](auto& w) { w.color = {300, -20, 256}; },
     nullptr, "Arial|36|FF00FF|70 70%|30 30°|0001||4",
     Sent(kStamp + ",4,36,\"Arial\",0,0,0,30,70,255,0,255,1")},
    {"TheSlidersStopAtTheirEnds", nullptr,
     [](auto& d) {
       ASSERT_TRUE(d.UserMoveSlider(IDC_WM_ANGLE, 400));
       ASSERT_TRUE(d.UserMoveSlider(IDC_WM_TRANSPARENCY, 101));
     },
     "Arial|36|0000FF|100 100%|360 360°|0001||4",
     Sent(kStamp + ",4,36,\"Arial\",0,0,0,360,100,255,0,0,1")},
    {"OkSendsEveryField", nullptr, ChangeEverything,
     "Times New Roman|20|804020|15 15%|90 90°|1110|Draft|8",
     Sent("\"Draft\",8,20,\"Times New Roman\",1,1,1,90,15,32,64,128,1")},
    // Windows-1252 holds ü, ß and €; the other three become '?'.
    {"TextTheAnsiCodePageCannotHoldIsSentWholeWithItsDefaultCharacter", nullptr,
     [](auto& d) {
       ASSERT_TRUE(d.UserType(IDC_WM_TEXT, u"Grüße 水印 € " + std::u16string(3000, u'W') + u"✓"));
     },
     nullptr,
     Sent("\"Gr\xFC\xDF" "e ?? \x80 " + std::string(3000, 'W') + "? 2026-12-07 09:30:00\","
          "4,36,\"Arial\",0,0,0,30,70,255,0,0,1")},
    {"CancelAfterChangingEverythingKeepsNothingAndSendsNothing", nullptr, ChangeEverything,
     nullptr, kDefaultsOn, IDCANCEL},
};

class WatermarkDialogCase : public testing::TestWithParam<DialogCase> {};

}  // namespace

TEST_F(WatermarkCheckBox, EachShotCarriesItsOwnTimeStampAndWithoutOneOrSwitchedOffNone) {
  OpenDialogWith(h);
  h.Then([&] { ASSERT_TRUE(Dialog(h).UserClick(IDCANCEL)); });
  h.Then([&] {
    h.ClearCallLog();
    CaptureAt(h, 10);
    h.host.os.localTime = {2026, 12, 7, 9, 30, 1, 0};
    CaptureAt(h, 20);
    EXPECT_EQ(Calls(h), (Lines{kDefaultsOn, "camCaptureImageFile(0,\"" + h.WorkFile("1_10.bmp") + "\")",
                               Sent("\" 2026-12-07 09:30:01\",4,36,\"Arial\",0,0,0,30,70,255,0,0,1"),
                               "camCaptureImageFile(0,\"" + h.WorkFile("1_20.bmp") + "\")"}));
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK_SETTINGS));
  });
  // The time stamp off: the library keeps the text it has.
  h.Then([&] { ASSERT_TRUE(Dialog(h).UserClick(IDC_WM_TIME_STAMP)); });
  h.Then([&] { ASSERT_TRUE(Dialog(h).UserClick(IDOK)); });
  h.Then([&] {
    EXPECT_EQ(CallsDuring(h, [&] { CaptureAt(h, 30); }, {"camSetImageWaterMark"}), Lines{});
    // The time stamp on again, but the watermark switched off.
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK_SETTINGS));
  });
  h.Then([&] { ASSERT_TRUE(Dialog(h).UserClick(IDC_WM_TIME_STAMP)); });
  h.Then([&] { ASSERT_TRUE(Dialog(h).UserClick(IDOK)); });
  h.RunWith([&] {
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK));
    EXPECT_EQ(CallsDuring(h, [&] { CaptureAt(h, 40); }, {"camSetImageWaterMark"}), Lines{});
  });
}

TEST_P(WatermarkDialogCase, ShowsTheOptionsAndOkSendsWhatItShows) {
  const DialogCase& c = GetParam();
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  if (c.save != nullptr) c.save(saved.WaterMark);
  OpenDialogWith(h, saved);
  h.Then([&] {
    EXPECT_EQ(Dialog(h).TimesCentred(), 1) << "over the capture window";
    if (c.act != nullptr) c.act(Dialog(h));
    if (c.shown != nullptr) {
      EXPECT_EQ(State(Dialog(h)), c.shown);
    }
    ASSERT_TRUE(Dialog(h).UserClick(c.close));
  });
  h.RunWith([&] {
    EXPECT_EQ(h.host.ui.ActiveModal(), &h.Window()) << "the dialog is closed";
    EXPECT_EQ(LastWatermarkCall(h), c.sent);
    // Switched off and on, the watermark sends what it holds.
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK));
    ASSERT_TRUE(h.Window().UserClick(IDC_WATERMARK));
    EXPECT_EQ(LastWatermarkCall(h), c.sent);
  });
}

INSTANTIATE_TEST_SUITE_P(WatermarkDialog, WatermarkDialogCase, testing::ValuesIn(kDialogCases),
                         [](const auto& info) { return std::string(info.param.name); });
