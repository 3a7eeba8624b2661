// Captures while a merge is on: the two-step pair of the two-picture merge,
// both cameras joined at once, and the secondary camera's picture merged
// into the main one.
#include "SessionSteps.h"

using namespace steps;

using MergeCapture = WindowTest;

namespace {

// A 3000 x 2000 document camera and a 640 x 480 webcam.
const char kTwoCameras[] =
    "[Device]\nName=Desk\nDpi=300\nFormat=MJPG\nSize=3000x2000\n"
    "[Device]\nName=Webcam\nDpi=96\nFormat=MJPG\nSize=640x480\n";

std::string CombineCall(CaptureWindowHarness& h, const std::string& first,
                        const std::string& second, const std::string& merged,
                        const std::string& rest) {
  return "camCombineImage(\"" + h.WorkFile(first) + "\",\"" + h.WorkFile(second) + "\",\"" +
         h.WorkFile(merged) + "\"," + rest + ")";
}

void FailNextCombine(CaptureWindowHarness& h, int code) {
  ASSERT_EQ(h.Hooks().FailNext("camCombineImage", 1, code), 0);
}

// One press with both cameras on and a merge chosen: what is joined and
// what is published.
struct BothCameras {
  const char* name;
  bool pairMerge;       // the two-picture merge, horizontal
  int secondaryMerge;   // the secondary merge's MergeType; -1: off
  bool combineFails;
  bool webcamSizeKnown;
  const char* combined;  // what follows the three files; empty: no call
  std::vector<const char*> published;
  bool shotsKept;  // in the work folder after the press
};

void PrintTo(const BothCameras& c, std::ostream* os) { *os << c.name; }

const BothCameras kBothCameras[] = {
    {"TheSecondaryPictureGoesIntoTheMainOneAsAnInset", false, 0, false, true, "0,1000,625,1000,750",
     {"Merge_5000.bmp"}, false},
    {"AFailedSecondaryMergeKeepsAndPublishesBothShots", false, 9, true, true, "9,0,0,1000,750",
     {"1_5000.bmp", "2_5000.bmp"}, true},
    {"WithoutTheSecondarySizeTheShotsArePublishedPlain", false, 0, false, false, "",
     {"1_5000.bmp", "2_5000.bmp"}, true},
    {"TheTwoPictureMergeJoinsBothShotsAtOnce", true, -1, false, true, "4,0,0,0,0",
     {"Merge_5000.bmp"}, true},
    {"ATwoPictureMergeThatFailsKeepsBothShotsSilently", true, -1, true, true, "4,0,0,0,0",
     {"1_5000.bmp", "2_5000.bmp"}, true},
};

class MergeWithBothCameras : public testing::TestWithParam<BothCameras> {};

}  // namespace

TEST_P(MergeWithBothCameras, JoinsThePressAndPublishesTheResultOrBothShots) {
  const BothCameras& c = GetParam();
  CaptureWindowHarness h;
  std::string ini = kTwoCameras;
  if (!c.webcamSizeKnown) ini.insert(ini.find("Dpi=96") + 7, "ReportedWidth=0\n");
  h.WriteProgramFile("Kelpra.ini", ini);
  // Both cameras opened at their sizes, nothing cropped.
  settings::SessionSettings saved;
  saved.cutType = 0;
  saved.DPI.MainWidth = 3000;
  saved.DPI.MainHeight = 2000;
  saved.Webcam.WebcamWidth = 640;
  saved.Webcam.WebcamHeight = 480;
  saved.MergeHV.isEnable = c.pairMerge;  // horizontal by default
  if (c.secondaryMerge >= 0) saved.Webcam.MergeType = c.secondaryMerge;
  saved.Webcam.MergePosition = 0;
  h.SaveSettings(saved);
  h.RunWith([&] {
    h.ClickHidden(IDC_SECONDARY_CAMERA);
    ASSERT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
    if (c.secondaryMerge >= 0) h.ClickHidden(IDC_SECONDARY_MERGE);
    if (c.combineFails) FailNextCombine(h, -3);
    CaptureAt(h, 5000);
    EXPECT_EQ(Calls(h, {"camCombineImage"}),
              *c.combined == '\0' ? Lines{}
                                  : Lines{CombineCall(h, "1_5000.bmp", "2_5000.bmp",
                                                      "Merge_5000.bmp", c.combined)});
    Texts published;
    for (const char* name : c.published) published.push_back(WorkPath(h, name));
    EXPECT_EQ(h.dialog->Link().PendingFiles(), published);
    for (const char* shot : {"1_5000.bmp", "2_5000.bmp"}) {
      EXPECT_EQ(WorkFileExists(h, shot), c.shotsKept) << shot;
    }
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
}

INSTANTIATE_TEST_SUITE_P(MergeCapture, MergeWithBothCameras, testing::ValuesIn(kBothCameras),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MergeCapture, APairTakesTwoShotsAndPublishesOnlyTheJoinedPictureOrAfterAFailedJoinBoth) {
  settings::SessionSettings saved;
  saved.MergeHV.isEnable = true;
  saved.MergeHV.direction = 2;  // vertical
  h.SaveSettings(saved);
  h.RunWith([&](auto& w) {
    ASSERT_TRUE(w.IsChecked(IDC_MERGE));
    // A failed shot is no half of a pair, first or second.
    ASSERT_EQ(h.Hooks().FailNext("camCaptureImageFile", 1, -5), 0);
    CaptureAt(h, 10);
    EXPECT_EQ(h.dialog->Pipeline().Pair().GetState(), capture::TwoPictureMerge::State::Idle);
    EXPECT_TRUE(w.IsEnabled(IDC_COLOR_MODE));
    CaptureAt(h, 100);
    ASSERT_EQ(h.Hooks().FailNext("camCaptureImageFile", 1, -5), 0);
    CaptureAt(h, 150);
    EXPECT_TRUE(h.dialog->Link().PendingFiles().empty());
    EXPECT_FALSE(w.IsEnabled(IDC_COLOR_MODE));
    EXPECT_TRUE(h.dialog->Pipeline().Pair().IsWaitingForSecondPicture());
    EXPECT_TRUE(h.dialog->Merges().PreviewDialog().FirstPane().HasPicture());

    CaptureAt(h, 200);
    EXPECT_EQ(Calls(h, {"camCombineImage"}),
              Lines{CombineCall(h, "1_100.bmp", "1_200.bmp", "Merge_200.bmp", "7,0,0,0,0")});
    EXPECT_EQ(h.dialog->Link().PendingFiles(), Texts{WorkPath(h, "Merge_200.bmp")});
    EXPECT_FALSE(WorkFileExists(h, "1_100.bmp"));
    EXPECT_FALSE(WorkFileExists(h, "1_200.bmp"));
    EXPECT_TRUE(w.IsEnabled(IDC_COLOR_MODE));

    // A third press starts a new pair.
    CaptureAt(h, 300);
    EXPECT_EQ(h.dialog->Link().PendingFiles().size(), 1u);
    EXPECT_EQ(h.dialog->Pipeline().Pair().FirstPicture(), h.WorkFile("1_300.bmp"));
    EXPECT_TRUE(h.dialog->Pipeline().Pair().SecondPicture().empty());
    EXPECT_FALSE(h.dialog->Merges().PreviewDialog().SecondPane().HasPicture());

    // A failed join says so, starts over and hands over both shots.
    FailNextCombine(h, -9);
    CaptureAt(h, 400);
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"Failed, ErrorCode: -9"});
    EXPECT_EQ(Calls(h, {"camCombineImage"}).back(),
              CombineCall(h, "1_300.bmp", "1_400.bmp", "Merge_400.bmp", "7,0,0,0,0"));
    EXPECT_EQ(h.dialog->Pipeline().Pair().GetState(), capture::TwoPictureMerge::State::Idle);
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              (Texts{WorkPath(h, "Merge_200.bmp"), WorkPath(h, "1_300.bmp"),
                     WorkPath(h, "1_400.bmp")}));
    EXPECT_FALSE(h.dialog->Merges().PreviewDialog().FirstPane().HasPicture());
    EXPECT_TRUE(h.Window().IsEnabled(IDC_COLOR_MODE));

    // A first picture still waiting is kept when both cameras make the next pair.
    CaptureAt(h, 500);
    ASSERT_TRUE(h.dialog->Pipeline().Pair().IsWaitingForSecondPicture());
    h.ClickHidden(IDC_SECONDARY_CAMERA);
    CaptureAt(h, 600);
    const Texts& files = h.dialog->Link().PendingFiles();
    EXPECT_EQ(Texts(files.end() - 2, files.end()),
              (Texts{WorkPath(h, "1_500.bmp"), WorkPath(h, "Merge_600.bmp")}));
    EXPECT_EQ(h.dialog->Pipeline().Pair().GetState(), capture::TwoPictureMerge::State::Done);
  });
}
