// The wait cursor while a capture runs: it appears before the first shot,
// stays through the retries of a data source without a user interface, and
// goes once the pictures are published.
#include "CaptureWindowHarness.h"

namespace {

struct BusyChange {
  bool busy;
  size_t shots;
  size_t pauses;
  size_t published;
};

bool operator==(const BusyChange& a, const BusyChange& b) {
  return a.busy == b.busy && a.shots == b.shots && a.pauses == b.pauses &&
         a.published == b.published;
}

size_t Shots(CaptureWindowHarness& h) {
  size_t shots = 0;
  for (const std::string& line : h.CallLines(true)) shots += line == "camCaptureImageFile";
  return shots;
}

}  // namespace

TEST(BusyCursor, ShowsFromTheFirstShotThroughTheRetriesUntilThePictureIsPublished) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", "[Library]\nFail=camCaptureImageFile,3,-5\n");
  std::vector<BusyChange> changes;
  h.Then([&] {
    h.dataSource.SendCode(204, u"NOUI");
    h.host.os.sleeps.clear();
    h.ClearCallLog();
    h.host.ui.onBusyChange = [&](bool busy) {
      changes.push_back({busy, Shots(h), h.host.os.sleeps.size(),
                         h.dialog->Link().PendingFiles().size()});
    };
    h.dialog->CaptureOne();
    EXPECT_EQ(changes, (std::vector<BusyChange>{{true, 0, 0, 0}, {false, 4, 3, 1}}));
    EXPECT_EQ(h.host.ui.busyDepth, 0);
  });
  h.Run();
  EXPECT_EQ(h.host.ui.unmatchedBusyEnds, 0);
}

TEST(BusyCursor, AFailedCaptureAndTheSecondaryCamerasShotRestoreTheCursorToo) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", "[Library]\nFail=camCaptureImageFile,7,-5\n");
  int shown = 0;
  h.Then([&] {
    h.host.ui.onBusyChange = [&](bool busy) { shown += busy ? 1 : 0; };
    h.dataSource.SendCode(204, u"NOUI");
    h.dialog->CaptureOne();
    EXPECT_EQ(h.host.ui.messageBoxes, std::vector<std::u16string>{u"Capture Failed."});
    EXPECT_EQ(h.host.ui.busyDepth, 0);
    h.ClickHidden(IDC_SECONDARY_CAMERA);
    h.ClickHidden(IDC_SECONDARY_CAPTURE);
    EXPECT_EQ(h.host.ui.busyDepth, 0);
    EXPECT_EQ(shown, 2);
  });
  h.Run();
}
