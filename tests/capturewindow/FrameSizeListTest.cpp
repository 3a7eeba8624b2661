// The main camera's frame sizes as the user and the camera library see
// them: the rows of the frame-size list in both units, what filling the list
// sends to the camera, the user's choices of size, format and unit, and what
// a faulty camera or driver leaves in the lists.
#include "DeviceSteps.h"

namespace {

using namespace device_steps;

// A camera with one size of each kind: named ones, an unknown small one
// and one beyond every name. Its DPI is the usual 96: no DPI unit.
const char kMixedCamera[] =
    "[Device]\n"
    "Name=Mixed Camera\n"
    "Format=MJPG\n"
    "Size=640x480\n"
    "Size=1280x720\n"
    "Size=2592x1944\n"
    "Size=1000x1000\n"
    "Size=6000x4500\n";

// Sizes largest first, each with its native DPI (width / 8).
const char kDeskScanner[] =
    "[Device]\n"
    "Name=Desk Scanner\n"
    "Format=MJPG\n"
    "Size=2600x1950@325\n"
    "Size=2400x1800@300\n"
    "Size=2200x1650@275\n"
    "Size=2080x1560@260\n"
    "Size=2000x1500@250\n"
    "Size=1800x1350@225\n"
    "Size=1400x1050@175\n"
    "Size=1000x750@125\n"
    "Size=800x600@100\n"
    "Size=640x480@80\n";

const Texts kReferencePixelRows = {u"640x480(VGA)",       u"800x600(SVGA)",  u"1024x768(SVGA)",
                                   u"1280x720(HD-720)",   u"1920x1080(HD-1080)",
                                   u"2592x1944(5MP)",     u"3264x2448(8MP)", u"6400x4800"};
const Texts kDpiRows = {u"300", u"260", u"250", u"200", u"100"};

// The reference document camera's nine sizes in format 0, as the window reads them.
Lines ReadsOfTheReferenceSizes() {
  Lines reads{"camGetResolutionCount(0,0,&)"};
  for (int i = 0; i < 9; ++i) {
    reads.push_back("camGetResolution(0,0," + std::to_string(i) + ",&,&)");
  }
  return reads;
}

std::vector<std::string> BoundSizes(const CaptureWindowHarness& h) {
  std::vector<std::string> bound;
  for (const auto& row : h.dialog->FrameSizeLists().ResolutionRows()) {
    bound.push_back(std::to_string(row.width) + "x" + std::to_string(row.height) + "@" +
                    std::to_string(row.dpi));
  }
  return bound;
}

TEST(FrameSizeList, PixelRowsNameKnownSizesDropUnknownSmallOnesAndApplyTheFirst) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kMixedCamera);
  h.Then([&] {
    EXPECT_EQ(Items(h, IDC_UNIT), Texts{u"Resolution"});
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), (Texts{u"640x480(VGA)", u"1280x720(HD-720)",
                                               u"2592x1944(5MP)", u"6000x4500"}));
    EXPECT_EQ(h.Window().Selection(IDC_FRAME_SIZE), 0);
    // Nothing was saved, so the first row's size is sent to the camera.
    const Lines fill = FromLast(CallsSince(h, 0), "camGetResolutionCount");
    EXPECT_EQ(FirstOf(fill, 8),
              (Lines{"camGetResolutionCount(0,0,&)", "camGetResolution(0,0,0,&,&)",
                     "camGetResolution(0,0,1,&,&)", "camGetResolution(0,0,2,&,&)",
                     "camGetResolution(0,0,3,&,&)", "camGetResolution(0,0,4,&,&)",
                     "camSetImageDPI(0,0,0)", "camSetResolution(0,640,480)"}));
  });
  h.Run();
}

TEST(FrameSizeList, TheSavedSizeIsSelectedWithoutBeingSentAgain) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kMixedCamera);
  settings::SessionSettings saved;
  saved.DPI.MainWidth = 2592;
  saved.DPI.MainHeight = 1944;
  SaveSettings(h, saved);
  h.Then([&] {
    EXPECT_EQ(h.Window().Selection(IDC_FRAME_SIZE), 2);
    const Lines calls = CallsSince(h, 0);
    EXPECT_EQ(CountCalls(calls, "camOpenDev(0,0,2592,1944)"), 1u);
    EXPECT_EQ(CountCalls(calls, "camSetResolution"), 0u);
  });
  h.Run();
}

TEST(FrameSizeList, TheReferenceDocumentCameraNamesSharedSizesAndOffersDpi) {
  CaptureWindowHarness h;
  h.Then([&] {
    EXPECT_EQ(Items(h, IDC_UNIT), (Texts{u"Resolution", u"DPI"}));
    EXPECT_EQ(h.Window().Selection(IDC_UNIT), 0);  // the saved unit
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), kReferencePixelRows);
    EXPECT_EQ(Items(h, IDC_MEDIA_TYPE), (Texts{u"MJPG", u"YUY2"}));
    EXPECT_EQ(h.Window().Selection(IDC_MEDIA_TYPE), 0);
  });
  h.Run();
}

TEST(FrameSizeList, DpiRowsOfTheReferenceDocumentCameraAllUseItsFirstSize) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.SizeUnit = 1;
  SaveSettings(h, saved);
  h.Then([&] {
    EXPECT_EQ(h.Window().Selection(IDC_UNIT), 1);
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), kDpiRows);
    // Opened at 640 x 480 with 30 DPI: its sizes, smallest first, have 30,
    // 37, 46, 48 and 60 DPI, each short of the next DPI value, so every
    // value keeps the first size.
    EXPECT_EQ(BoundSizes(h), (std::vector<std::string>{"640x480@300", "640x480@260",
                                                       "640x480@250", "640x480@200",
                                                       "640x480@100"}));
    // The saved 200 DPI is the fourth row; its size is not the saved 0 x 0.
    EXPECT_EQ(h.Window().Selection(IDC_FRAME_SIZE), 3);
    const Lines fill = FromLast(CallsSince(h, 0), "camGetResolutionCount");
    EXPECT_EQ(FirstOf(fill, 12),
              Append(ReadsOfTheReferenceSizes(),
                     {"camSetImageDPI(0,200,200)", "camSetResolution(0,640,480)"}));
  });
  h.Run();
}

TEST(FrameSizeList, ASavedDpiThatIsNotOfferedSelectsThe250Row) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.SizeUnit = 1;
  saved.DPI.ImageDPI = 123;
  saved.DPI.MainWidth = 1280;
  saved.DPI.MainHeight = 720;
  SaveSettings(h, saved);
  h.Then([&] {
    EXPECT_EQ(h.Window().Selection(IDC_FRAME_SIZE), 2);
    EXPECT_EQ(h.Window().ItemText(IDC_FRAME_SIZE, 2), u"250");
    const Lines fill = FromLast(CallsSince(h, 0), "camGetResolutionCount");
    EXPECT_EQ(FirstOf(fill, 12),
              Append(ReadsOfTheReferenceSizes(),
                     {"camSetImageDPI(0,250,250)", "camSetResolution(0,640,480)"}));
    // Filling chooses; only the user's choice is stored.
    EXPECT_EQ(h.dialog->Settings().DPI.ImageDPI, 123);
  });
  h.Run();
}

TEST(FrameSizeList, ALargestFirstCameraBindsDpiValuesToItsSizesAndTheUserChoosesOne) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kDeskScanner);
  settings::SessionSettings saved;
  saved.SizeUnit = 1;
  saved.DPI.MainWidth = 800;
  saved.DPI.MainHeight = 600;
  SaveSettings(h, saved);
  h.Then([&] {
    // Opened at 800 x 600 with 100 DPI: a width w has w / 8 DPI. 300 takes
    // 2400 (2600 first, then 2400; 2200 falls short), 260 takes 2080 (2000
    // falls short), 250 and 200 find nothing (1800, 1400 fall short) and keep
    // the first size, 100 takes 800 (1000, then 800; 640 ends the walk).
    EXPECT_EQ(BoundSizes(h), (std::vector<std::string>{"2400x1800@300", "2080x1560@260",
                                                       "2600x1950@250", "2600x1950@200",
                                                       "800x600@100"}));
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), kDpiRows);
    EXPECT_EQ(h.Window().Selection(IDC_FRAME_SIZE), 3);
    // In the pixel unit only the two named sizes are listed.
    h.Window().UserSelect(IDC_UNIT, 0);
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), (Texts{u"800x600(SVGA)", u"640x480(VGA)"}));
    h.Window().UserSelect(IDC_UNIT, 1);

    const size_t mark = Mark(h);
    ASSERT_TRUE(h.Window().UserSelect(IDC_FRAME_SIZE, 1));
    EXPECT_EQ(CallsSince(h, mark),
              (Lines{"camGetCurResolution(0,&,&,&)", "camSetResolution(0,2080,1560)",
                     "camSetImageDPI(0,260,260)"}));
    EXPECT_EQ(h.dialog->Settings().DPI.MainWidth, 2080);
    EXPECT_EQ(h.dialog->Settings().DPI.MainHeight, 1560);
    EXPECT_EQ(h.dialog->Settings().DPI.ImageDPI, 260);
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
  h.Run();
}

TEST(FrameSizeList, TheDpiItemIsOfferedOnlyForADpiOtherThanZeroAnd96) {
  CaptureWindowHarness h;
  h.Then([&] {
    EXPECT_EQ(Items(h, IDC_UNIT), (Texts{u"Resolution", u"DPI"}));
    h.Window().UserSelect(IDC_DEVICE, 1);  // the webcam: 96 DPI
    EXPECT_EQ(Items(h, IDC_UNIT), Texts{u"Resolution"});
    EXPECT_EQ(h.Window().Selection(IDC_UNIT), 0);
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camGetImageDPI", 1, -3), 0);
    h.Window().UserSelect(IDC_DEVICE, 0);  // no DPI read: 0
    EXPECT_EQ(Items(h, IDC_UNIT), Texts{u"Resolution"});
    h.Window().UserSelect(IDC_DEVICE, 1);
    h.Window().UserSelect(IDC_DEVICE, 0);
    EXPECT_EQ(Items(h, IDC_UNIT), (Texts{u"Resolution", u"DPI"}));
    // A camera just opened with a DPI of its own starts in the DPI unit.
    EXPECT_EQ(h.Window().Selection(IDC_UNIT), 1);
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), kDpiRows);
  });
  h.Run();
}

TEST(FrameSizeList, ChoosingTheCurrentSizeCallsNothingAndOtherSizesAreStored) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    size_t mark = Mark(h);
    ASSERT_TRUE(w.UserSelect(IDC_FRAME_SIZE, 0));  // 640 x 480, as opened
    EXPECT_EQ(CallsSince(h, mark), Lines{"camGetCurResolution(0,&,&,&)"});
    EXPECT_EQ(h.dialog->Settings().DPI.MainWidth, 0);
    EXPECT_EQ(h.dialog->Settings().DPI.MainHeight, 0);

    mark = Mark(h);
    ASSERT_TRUE(w.UserSelect(IDC_FRAME_SIZE, 3));
    EXPECT_EQ(CallsSince(h, mark),
              (Lines{"camGetCurResolution(0,&,&,&)", "camSetResolution(0,1280,720)"}));
    EXPECT_EQ(h.dialog->Settings().DPI.MainWidth, 1280);
    EXPECT_EQ(h.dialog->Settings().DPI.MainHeight, 720);
    EXPECT_EQ(h.dialog->Settings().DPI.ImageDPI, 200);  // the pixel unit sets no DPI
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());

    // A size the camera refuses is still the user's choice.
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camSetResolution", 1, -6), 0);
    ASSERT_TRUE(w.UserSelect(IDC_FRAME_SIZE, 4));
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"error"});
    EXPECT_EQ(h.dialog->Settings().DPI.MainWidth, 1920);
    EXPECT_EQ(h.dialog->Settings().DPI.MainHeight, 1080);
  });
  h.Then([&] { h.Window().UserClick(IDC_SAVE); });
  h.Run();
  EXPECT_NE(h.SettingsFileText().find("<MainHeight>1080</MainHeight>"), std::string::npos);
  EXPECT_NE(h.SettingsFileText().find("<MainWidth>1920</MainWidth>"), std::string::npos);
}

TEST(FrameSizeList, AFormatTheCameraRefusesShowsErrorAndIsStillStored) {
  CaptureWindowHarness h;
  h.Then([&] {
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camSetMediaType", 1, -4), 0);
    const size_t mark = Mark(h);
    CommandSelect(h, IDC_MEDIA_TYPE, 1);
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"error"});
    EXPECT_EQ(h.dialog->Settings().MediaType, 1);
    EXPECT_EQ(FirstOf(CallsSince(h, mark), 2),
              (Lines{"camSetMediaType(0,1)", "camGetResolutionCount(0,1,&)"}));
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE),
              (Texts{u"640x480(VGA)", u"1280x720(HD-720)", u"1920x1080(HD-1080)"}));
  });
  h.Then([&] { h.Window().UserClick(IDC_SAVE); });
  h.Run();
  EXPECT_NE(h.SettingsFileText().find("<MediaType>1</MediaType>"), std::string::npos);
}

TEST(FrameSizeList, TheDataSourcesRecordSwitchesToDpiThroughTheUnitChange) {
  CaptureWindowHarness h;
  h.Then([&] {
    DSScanSettings record;
    record.pixelType = 2;
    record.resolution = 250.7f;
    const size_t mark = Mark(h);
    ASSERT_TRUE(h.dataSource.SendScanSettings(record));
    EXPECT_EQ(h.Window().Selection(IDC_UNIT), 1);
    EXPECT_EQ(h.dialog->Settings().DPI.ImageDPI, 250);
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), kDpiRows);
    EXPECT_EQ(h.Window().Selection(IDC_FRAME_SIZE), 2);
    EXPECT_EQ(FirstOf(FromLast(CallsSince(h, mark), "camGetResolutionCount"), 12),
              Append(ReadsOfTheReferenceSizes(),
                     {"camSetImageDPI(0,250,250)", "camSetResolution(0,640,480)"}));
  });
  h.Run();
}

TEST(FrameSizeList, TheHiddenFormatListStaysHiddenWhenAnotherCameraOpens) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_FALSE(w.IsControlVisible(IDC_MEDIA_TYPE));
    ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 1));
    EXPECT_EQ(Items(h, IDC_MEDIA_TYPE), Texts{u"MJPG"});
    EXPECT_FALSE(w.IsControlVisible(IDC_MEDIA_TYPE));
    EXPECT_FALSE(w.IsControlVisible(IDC_MEDIA_LABEL));
    EXPECT_TRUE(w.IsControlVisible(IDC_FRAME_SIZE));
  });
  h.Run();
}

// Faults of the camera or its driver.

TEST(FrameSizeList, ACameraWithOnlyUnknownSmallSizesListsAndAppliesNothing) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini",
                     "[Device]\nName=Odd Camera\nFormat=MJPG\nSize=1000x1000\nSize=320x240\n");
  settings::SessionSettings saved;
  saved.DPI.MainWidth = 1000;
  saved.DPI.MainHeight = 1000;
  SaveSettings(h, saved);
  h.Then([&] {
    EXPECT_EQ(h.Window().ItemCount(IDC_FRAME_SIZE), 0);
    EXPECT_EQ(h.Window().Selection(IDC_FRAME_SIZE), -1);
    EXPECT_EQ(CountCalls(CallsSince(h, 0), "camSetResolution"), 0u);
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
  h.Run();
}

TEST(FrameSizeList, ACameraReportingNoSizesLeavesTheListEmpty) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini",
                     "[Device]\nName=Mute Camera\nReportedSizes=0\nFormat=MJPG\nSize=640x480\n");
  h.Then([&] {
    EXPECT_EQ(h.Window().ItemCount(IDC_FRAME_SIZE), 0);
    const Lines calls = CallsSince(h, 0);
    EXPECT_EQ(CountCalls(calls, "camGetResolutionCount(0,0,&)"), 2u);
    EXPECT_EQ(CountCalls(calls, "camGetResolution("), 0u);
    EXPECT_EQ(CountCalls(calls, "camSetResolution"), 0u);
  });
  h.Run();
}

TEST(FrameSizeList, WithoutANativeWidthThereIsNoDpiUnitAndTheDataSourceKeepsPixels) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini",
                     "[Device]\nName=Blind Camera\nDpi=300\nReportedWidth=0\nFormat=MJPG\n"
                     "Size=640x480\nSize=1280x720\n");
  h.Then([&] {
    EXPECT_EQ(Items(h, IDC_UNIT), Texts{u"Resolution"});
    DSScanSettings record;
    record.pixelType = 2;
    record.resolution = 300.0f;
    const size_t mark = Mark(h);
    ASSERT_TRUE(h.dataSource.SendScanSettings(record));
    EXPECT_EQ(h.Window().Selection(IDC_UNIT), 0);
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), (Texts{u"640x480(VGA)", u"1280x720(HD-720)"}));
    EXPECT_EQ(h.dialog->Settings().DPI.ImageDPI, 200);
    EXPECT_EQ(CountCalls(CallsSince(h, mark), "camSetImageDPI"), 0u);
  });
  h.Run();
}

TEST(FrameSizeList, AbsurdCountsAreCutBeforeAnyListIsBuilt) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini",
                     "[Library]\nReportedDevices=100000\n"
                     "[Device]\nName=Wild Camera\nReportedFormats=100000\nReportedSizes=100000\n"
                     "Format=MJPG\nSize=640x480\nSize=1280x720\n"
                     "[Device]\nName=Quiet Camera\nReportedFormats=-3\nReportedSizes=-1\n"
                     "Format=MJPG\nSize=640x480\n");
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_EQ(w.ItemCount(IDC_DEVICE), 256);
    EXPECT_EQ(w.ItemText(IDC_DEVICE, 1), u"Quiet Camera");
    EXPECT_EQ(w.ItemText(IDC_DEVICE, 255), u"");  // no name past the real devices
    const Lines calls = CallsSince(h, 0);
    EXPECT_EQ(CountCalls(calls, "camGetDevName"), 256u);
    EXPECT_EQ(CountCalls(FromLast(calls, "camGetMediaTypeCount"), "camGetMediaTypeName"), 256u);
    EXPECT_EQ(CountCalls(FromLast(calls, "camGetResolutionCount"), "camGetResolution("), 256u);
    EXPECT_EQ(w.ItemCount(IDC_MEDIA_TYPE), 256);
    EXPECT_EQ(w.ItemText(IDC_MEDIA_TYPE, 0), u"MJPG");
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), (Texts{u"640x480(VGA)", u"1280x720(HD-720)"}));

    const size_t mark = Mark(h);
    ASSERT_TRUE(w.UserSelect(IDC_DEVICE, 1));
    const Lines quiet = CallsSince(h, mark);
    EXPECT_EQ(CountCalls(quiet, "camGetMediaTypeName"), 0u);
    EXPECT_EQ(CountCalls(quiet, "camGetResolution("), 0u);
    EXPECT_EQ(w.ItemCount(IDC_MEDIA_TYPE), 0);
    EXPECT_EQ(w.ItemCount(IDC_FRAME_SIZE), 0);
  });
  h.Run();
}

TEST(FrameSizeList, ANegativeDeviceCountIsNoCamera) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", "[Library]\nReportedDevices=-2\n");
  h.Then([&] {
    EXPECT_TRUE(h.Window().IsVisible());
    EXPECT_EQ(h.Window().ItemCount(IDC_DEVICE), 0);
    const Lines calls = CallsSince(h, 0);
    EXPECT_EQ(CountCalls(calls, "camGetDevName"), 0u);
    EXPECT_EQ(CountCalls(calls, "camOpenDev"), 0u);
    EXPECT_EQ(h.dialog->Devices().MainDeviceIndex(), -1);
  });
  h.Run();
}

TEST(FrameSizeList, MissingNamesBecomeEmptyTexts) {
  CaptureWindowHarness h;
  // Formats are listed twice at start-up: after the open and for the saved unit.
  h.WriteProgramFile("Kelpra.ini",
                     "[Library]\nFail=camGetDevName,1,-1\nFail=camGetMediaTypeName,3,-1\n");
  h.Then([&] {
    EXPECT_EQ(Items(h, IDC_DEVICE), (Texts{u"", u"Kelpra Webcam"}));
    EXPECT_EQ(Items(h, IDC_SECONDARY_DEVICE), (Texts{u"", u"Kelpra Webcam"}));
    EXPECT_EQ(Items(h, IDC_MEDIA_TYPE), (Texts{u"", u"YUY2"}));
  });
  h.Run();
}

TEST(FrameSizeList, ASelectionThatNoLongerMatchesTheRowsDoesNothing) {
  CaptureWindowHarness h;
  h.Then([&] {
    auto& w = h.Window();
    // The list box changed underneath the rows it mirrors.
    w.AddItem(IDC_FRAME_SIZE, u"1600x1200(2MP)");
    const size_t mark = Mark(h);
    ASSERT_TRUE(w.UserSelect(IDC_FRAME_SIZE, 8));
    ASSERT_TRUE(w.UserSelect(IDC_FRAME_SIZE, 3));
    EXPECT_TRUE(CallsSince(h, mark).empty());
    EXPECT_EQ(h.dialog->Settings().DPI.MainWidth, 0);
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
  h.Run();
}

}  // namespace
