// The main camera's frame sizes as the user and the camera library see
// them: the rows of the frame-size list in both units, what filling the list
// sends to the camera, the user's choices of size, format and unit, and what
// a faulty camera or driver leaves in the lists.
#include "SessionSteps.h"

using namespace steps;

using FrameSizeList = WindowTest;

namespace {

// A camera with one size of each kind: named ones, an unknown small one
// and one beyond every name. Its DPI is the usual 96: no DPI unit.
const char kMixedCamera[] =
    "[Device]\nName=Mixed Camera\nFormat=MJPG\n"
    "Size=640x480\nSize=1280x720\nSize=2592x1944\nSize=1000x1000\nSize=6000x4500\n";

// Sizes largest first, each with its native DPI (width / 8).
const char kDeskScanner[] =
    "[Device]\nName=Desk Scanner\nFormat=MJPG\n"
    "Size=2600x1950@325\nSize=2400x1800@300\nSize=2200x1650@275\nSize=2080x1560@260\n"
    "Size=2000x1500@250\nSize=1800x1350@225\nSize=1400x1050@175\nSize=1000x750@125\n"
    "Size=800x600@100\nSize=640x480@80\n";

const Texts kDpiRows = {u"300", u"260", u"250", u"200", u"100"};

// The sizes of format 0 read one by one, as filling the list reads them.
// `applied` follows.
Lines ReadsOfSizes(int count, const Lines& applied = {}) {
  Lines reads{"camGetResolutionCount(0,0,&)"};
  for (int i = 0; i < count; ++i) reads.push_back("camGetResolution(0,0," + std::to_string(i) + ",&,&)");
  reads.insert(reads.end(), applied.begin(), applied.end());
  return reads;
}

// The calls of the list's last filling: from reading the count of sizes to
// applying a row.
Lines LastFill(CaptureWindowHarness& h) {
  Lines fill;
  for (const std::string& line : FromLast(Calls(h), "camGetResolutionCount")) {
    const std::string name = NameOf(line);
    if (name != "camGetResolutionCount" && name != "camGetResolution" &&
        name != "camSetImageDPI" && name != "camSetResolution") {
      break;
    }
    fill.push_back(line);
  }
  return fill;
}

// A size and its DPI as "WIDTHxHEIGHT@DPI".
std::string SizeText(int width, int height, int dpi) {
  return std::to_string(width) + "x" + std::to_string(height) + "@" + std::to_string(dpi);
}

// The size and DPI the session stores.
std::string StoredSize(CaptureWindowHarness& h) {
  const settings::DpiSettings& dpi = h.dialog->Settings().DPI;
  return SizeText(dpi.MainWidth, dpi.MainHeight, dpi.ImageDPI);
}

std::vector<std::string> BoundSizes(const CaptureWindowHarness& h) {
  std::vector<std::string> bound;
  for (const auto& row : h.dialog->FrameSizeLists().ResolutionRows()) {
    bound.push_back(SizeText(row.width, row.height, row.dpi));
  }
  return bound;
}

// A camera, the size unit and frame size saved, and what the window lists
// at start-up and sends to fill the list; then, for some, the row the user
// chooses, what that sends and what the session stores.
struct StartUpFill {
  const char* name;
  const char* kelpraIni;  // empty: the reference cameras
  int unit, width, height, dpi;
  Texts units, rows;
  int selection;
  Lines fill;
  std::vector<std::string> bound = {};  // the size behind each DPI row; empty: not compared
  int chosen = -1;                      // -1: the user chooses nothing
  Lines choosing = {};
  std::string stored = "";
};

const StartUpFill kFills[] = {
    {"PixelRowsNameKnownSizesDropUnknownSmallOnesAndApplyTheFirst", kMixedCamera, 0, 0, 0, 200,
     {u"Resolution"}, {u"640x480(VGA)", u"1280x720(HD-720)", u"2592x1944(5MP)", u"6000x4500"}, 0,
     ReadsOfSizes(5, {"camSetImageDPI(0,0,0)", "camSetResolution(0,640,480)"})},
    {"TheSavedSizeIsSelectedWithoutBeingSentAgain", kMixedCamera, 0, 2592, 1944, 200,
     {u"Resolution"}, {u"640x480(VGA)", u"1280x720(HD-720)", u"2592x1944(5MP)", u"6000x4500"}, 2,
     ReadsOfSizes(5, {"camSetImageDPI(0,0,0)"})},
    // Opened at 640 x 480 with 30 DPI: its sizes, smallest first, have 30,
    // 37, 46, 48 and 60 DPI, each short of the next DPI value, so every
    // value keeps the first size. The saved 200 DPI is the fourth row.
    {"DpiRowsOfTheReferenceDocumentCameraAllUseItsFirstSize", "", 1, 0, 0, 200,
     {u"Resolution", u"DPI"}, kDpiRows, 3,
     ReadsOfSizes(9, {"camSetImageDPI(0,200,200)", "camSetResolution(0,640,480)"}),
     {"640x480@300", "640x480@260", "640x480@250", "640x480@200", "640x480@100"}},
    {"ASavedDpiThatIsNotOfferedSelectsThe250Row", "", 1, 1280, 720, 123,
     {u"Resolution", u"DPI"}, kDpiRows, 2,
     ReadsOfSizes(9, {"camSetImageDPI(0,250,250)", "camSetResolution(0,640,480)"})},
    // Opened at 800 x 600 with 100 DPI: a width w has w / 8 DPI. 300 takes
    // 2400 (2600 first, then 2400; 2200 falls short), 260 takes 2080 (2000
    // falls short), 250 and 200 find nothing (1800, 1400 fall short) and keep
    // the first size, 100 takes 800 (1000, then 800; 640 ends the walk).
    {"ALargestFirstCameraBindsDpiValuesToItsSizes", kDeskScanner, 1, 800, 600, 200,
     {u"Resolution", u"DPI"}, kDpiRows, 3,
     ReadsOfSizes(10, {"camSetImageDPI(0,200,200)", "camSetResolution(0,2600,1950)"}),
     {"2400x1800@300", "2080x1560@260", "2600x1950@250", "2600x1950@200", "800x600@100"}, 1,
     {"camGetCurResolution(0,&,&,&)", "camSetResolution(0,2080,1560)", "camSetImageDPI(0,260,260)"},
     "2080x1560@260"},
    // 180 DPI at 1200 pixels: 1600 has 240 DPI, 1200 has 180. 300 and 260
    // fall short of 240; the sizes run out with the walk on 250: 250, 200
    // and 100 take 1200 x 1 (one pixel high is still a size), the saved
    // size, not sent again.
    {"DpiValuesLeftWhenTheSizesRunOutTakeTheLastSize",
     "[Device]\nName=Two Sizes\nFormat=MJPG\nSize=1600x1200@240\nSize=1200x1@180\n", 1, 1200,
     1, 200, {u"Resolution", u"DPI"}, kDpiRows, 3,
     ReadsOfSizes(2, {"camSetImageDPI(0,200,200)"}),
     {"1600x1200@300", "1600x1200@260", "1200x1@250", "1200x1@200", "1200x1@100"}},
    // Different sizes can share a label; the largest label is 5376 x 4032,
    // and only a size beyond it both ways passes without one.
    {"SharedLabelsAndOnlySizesBeyondTheLargestLabelInBothDirectionsPassUnlabelled",
     "[Device]\nName=Large\nFormat=MJPG\nSize=640x480\nSize=1600x1200\nSize=3664x2744\n"
     "Size=3840x2160\nSize=5376x4032\nSize=5377x4032\nSize=5376x4033\nSize=5377x4033\n",
     0, 0, 0, 200, {u"Resolution"},
     {u"640x480(VGA)", u"1600x1200(2MP)", u"3664x2744(10MP)", u"3840x2160(8MP)", u"5376x4032(21MP)",
      u"5377x4033"},
     0, ReadsOfSizes(8, {"camSetImageDPI(0,0,0)", "camSetResolution(0,640,480)"})},
    {"ACameraWithOnlyUnknownSmallSizesListsAndAppliesNothing",
     "[Device]\nName=Odd Camera\nFormat=MJPG\nSize=1000x1000\nSize=320x240\n", 0, 1000, 1000,
     200, {u"Resolution"}, {}, -1, ReadsOfSizes(2, {"camSetImageDPI(0,0,0)"})},
    {"ACameraReportingNoSizesLeavesTheListEmpty",
     "[Device]\nName=Mute Camera\nReportedSizes=0\nFormat=MJPG\nSize=640x480\n", 0, 0, 0, 200,
     {u"Resolution"}, {}, -1, ReadsOfSizes(0)},
};

void PrintTo(const StartUpFill& c, std::ostream* os) { *os << c.name; }

class FrameSizeFill : public testing::TestWithParam<StartUpFill> {};

}  // namespace

TEST_P(FrameSizeFill, ListsTheRowsAndAppliesTheChosenOneWithoutStoringIt) {
  const StartUpFill& c = GetParam();
  CaptureWindowHarness h;
  if (*c.kelpraIni != '\0') h.WriteProgramFile("Kelpra.ini", c.kelpraIni);
  settings::SessionSettings saved;
  saved.SizeUnit = c.unit;
  saved.DPI.MainWidth = c.width;
  saved.DPI.MainHeight = c.height;
  saved.DPI.ImageDPI = c.dpi;
  h.SaveSettings(saved);
  h.RunWith([&] {
    EXPECT_EQ(Items(h, IDC_UNIT), c.units);
    EXPECT_EQ(h.Window().Selection(IDC_UNIT), c.unit);
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), c.rows);
    EXPECT_EQ(h.Window().Selection(IDC_FRAME_SIZE), c.selection);
    EXPECT_EQ(LastFill(h), c.fill);
    if (!c.bound.empty()) {
      EXPECT_EQ(BoundSizes(h), c.bound);
    }
    // Filling chooses; only the user's choice is stored.
    EXPECT_EQ(StoredSize(h), SizeText(c.width, c.height, c.dpi));
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    if (c.chosen < 0) return;
    EXPECT_EQ(CallsDuring(h, [&] { ASSERT_TRUE(h.Window().UserSelect(IDC_FRAME_SIZE, c.chosen)); }),
              c.choosing);
    EXPECT_EQ(StoredSize(h), c.stored);
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
}

INSTANTIATE_TEST_SUITE_P(FrameSizeList, FrameSizeFill, testing::ValuesIn(kFills),
                         [](const auto& info) { return std::string(info.param.name); });

// Sizes and formats the user chooses are stored even when the camera refuses
// them; the format list stays hidden. Only a DPI other than 0 and 96 offers
// the DPI unit.
TEST_F(FrameSizeList, ChosenSizesAndFormatsAreStoredEvenWhenRefusedAndOnlyADpiBut0Or96OffersDpi) {
  h.RunWith([&](auto& w) {
    // Row 0 is 640 x 480, the size the camera opened at.
    EXPECT_EQ(CallsDuring(h, [&] { ASSERT_TRUE(w.UserSelect(IDC_FRAME_SIZE, 0)); }),
              Lines{"camGetCurResolution(0,&,&,&)"});
    EXPECT_EQ(StoredSize(h), "0x0@200");
    EXPECT_EQ(CallsDuring(h, [&] { ASSERT_TRUE(w.UserSelect(IDC_FRAME_SIZE, 3)); }),
              (Lines{"camGetCurResolution(0,&,&,&)", "camSetResolution(0,1280,720)"}));
    EXPECT_EQ(StoredSize(h), "1280x720@200");  // the pixel unit sets no DPI
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    h.Hooks().FailNext("camSetResolution", 1, -6);
    ASSERT_TRUE(w.UserSelect(IDC_FRAME_SIZE, 4));
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"error"});
    // A list changed underneath the rows it mirrors does nothing.
    w.AddItem(IDC_FRAME_SIZE, u"1600x1200(2MP)");
    const size_t mark = Mark(h);
    ASSERT_TRUE(w.UserSelect(IDC_FRAME_SIZE, 8));
    ASSERT_TRUE(w.UserSelect(IDC_FRAME_SIZE, 3));
    EXPECT_EQ(Calls(h, {}, mark), Lines{});

    // A format the camera refuses says so, and is still stored.
    h.host.ui.messageBoxes.clear();
    EXPECT_EQ(Items(h, IDC_MEDIA_TYPE), (Texts{u"MJPG", u"YUY2"}));
    EXPECT_EQ(w.Selection(IDC_MEDIA_TYPE), 0);
    h.Hooks().FailNext("camSetMediaType", 1, -4);
    EXPECT_EQ(FirstOf(CallsDuring(h, [&] { CommandSelect(h, IDC_MEDIA_TYPE, 1); }), 2),
              (Lines{"camSetMediaType(0,1)", "camGetResolutionCount(0,1,&)"}));
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"error"});
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE),
              (Texts{u"640x480(VGA)", u"1280x720(HD-720)", u"1920x1080(HD-1080)"}));
    w.UserClick(IDC_SAVE);
    EXPECT_TRUE(SettingsFileHas(h, "<MainHeight>1080</MainHeight>"));
    EXPECT_TRUE(SettingsFileHas(h, "<MainWidth>1920</MainWidth>"));
    EXPECT_TRUE(SettingsFileHas(h, "<MediaType>1</MediaType>"));
    // Hidden for good: another camera does not show the list again.
    ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 1));  // the webcam: 96 DPI
    EXPECT_EQ(Items(h, IDC_MEDIA_TYPE), Texts{u"MJPG"});
    EXPECT_EQ(Shown(w, {IDC_MEDIA_TYPE, IDC_MEDIA_LABEL, IDC_FRAME_SIZE}), "001");
    // The DPI item is offered only for a DPI other than 0 and 96.
    EXPECT_EQ(Items(h, IDC_UNIT), Texts{u"Resolution"});
    EXPECT_EQ(w.Selection(IDC_UNIT), 0);
    // A language switch keeps the list without the DPI item.
    w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"CN"));
    EXPECT_EQ(Items(h, IDC_UNIT), Texts{u"分辨率"});
    w.UserSelect(IDC_LANGUAGE, h.LanguageIndex(u"EN"));
    ASSERT_EQ(h.Hooks().FailNext("camGetImageDPI", 1, -3), 0);
    w.UserSelect(IDC_DEVICE, 0);  // no DPI read: 0
    EXPECT_EQ(Items(h, IDC_UNIT), Texts{u"Resolution"});
    w.UserSelect(IDC_DEVICE, 1);
    w.UserSelect(IDC_DEVICE, 0);
    EXPECT_EQ(Items(h, IDC_UNIT), (Texts{u"Resolution", u"DPI"}));
    // A camera just opened with a DPI of its own starts in the DPI unit.
    EXPECT_EQ(w.Selection(IDC_UNIT), 1);
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), kDpiRows);
  });
}

TEST_F(FrameSizeList, AbsurdCountsAreCutBeforeAnyListIsBuilt) {
  h.WriteProgramFile("Kelpra.ini",
                     "[Library]\nReportedDevices=100000\n"
                     "[Device]\nName=Wild Camera\nReportedFormats=100000\nReportedSizes=100000\n"
                     "Format=MJPG\nSize=640x480\nSize=1280x720\n"
                     "[Device]\nName=Quiet Camera\nReportedFormats=-3\nReportedSizes=-1\n"
                     "Format=MJPG\nSize=640x480\n");
  h.RunWith([&](auto& w) {
    ASSERT_EQ(w.ItemCount(IDC_DEVICE), 256);
    EXPECT_EQ(w.ItemText(IDC_DEVICE, 1), u"Quiet Camera");
    // No name past the real devices and formats: empty texts.
    EXPECT_EQ(w.ItemText(IDC_DEVICE, 255), u"");
    EXPECT_EQ(w.ItemText(IDC_SECONDARY_DEVICE, 255), u"");
    const Lines calls = Calls(h);
    EXPECT_EQ(Count(calls, "camGetDevName"), 256u);
    EXPECT_EQ(Count(FromLast(calls, "camGetMediaTypeCount"), "camGetMediaTypeName"), 256u);
    EXPECT_EQ(Count(FromLast(calls, "camGetResolutionCount"), "camGetResolution("), 256u);
    EXPECT_EQ(w.ItemCount(IDC_MEDIA_TYPE), 256);
    EXPECT_EQ(w.ItemText(IDC_MEDIA_TYPE, 0), u"MJPG");
    EXPECT_EQ(w.ItemText(IDC_MEDIA_TYPE, 255), u"");
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), (Texts{u"640x480(VGA)", u"1280x720(HD-720)"}));

    const Lines quiet = CallsDuring(h, [&] { ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 1)); });
    EXPECT_EQ(Count(quiet, "camGetMediaTypeName"), 0u);
    EXPECT_EQ(Count(quiet, "camGetResolution("), 0u);
    EXPECT_EQ(w.ItemCount(IDC_MEDIA_TYPE), 0);
    EXPECT_EQ(w.ItemCount(IDC_FRAME_SIZE), 0);
  });
}

TEST_F(FrameSizeList, ANegativeDeviceCountIsNoCamera) {
  h.WriteProgramFile("Kelpra.ini", "[Library]\nReportedDevices=-2\n");
  h.RunWith([&] {
    EXPECT_TRUE(h.Window().IsVisible());
    EXPECT_EQ(h.Window().ItemCount(IDC_DEVICE), 0);
    EXPECT_TRUE(Calls(h, {"camGetDevName", "camOpenDev"}).empty());
    EXPECT_EQ(h.dialog->Devices().MainDeviceIndex(), -1);
  });
}
