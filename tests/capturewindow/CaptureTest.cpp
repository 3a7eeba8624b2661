// Pressing Capture: the files a press writes with one camera or two, what
// reaches the thumbnail list and the data source, the wait cursor, and what
// a failing camera does.
#include <tuple>

#include "SessionSteps.h"

using namespace steps;

using Capture = WindowTest;

namespace {

// A document camera with two documents on the desk, and a webcam.
const char kTwoCameras[] =
    "[Device]\nName=Desk\nDpi=300\nDocuments=2\nFormat=MJPG\nSize=640x480\n"
    "[Device]\nName=Webcam\nDpi=96\nFormat=MJPG\nSize=640x480\n";

// What the wait cursor did (shown or not), with what the capture had done by
// then: the shots, the pauses and the files published.
using BusyChange = std::tuple<bool, size_t, size_t, size_t>;

}  // namespace

TEST_F(Capture, TheWaitCursorShowsFromTheFirstShotThroughTheRetriesUntilThePictureIsPublished) {
  h.WriteProgramFile("Kelpra.ini", "[Library]\nFail=camCaptureImageFile,3,-5\n");
  std::vector<BusyChange> changes;
  h.RunWith([&] {
    h.dataSource.SendCode(204, u"NOUI");
    h.host.os.sleeps.clear();
    h.ClearCallLog();
    h.host.ui.onBusyChange = [&](bool busy) {
      changes.emplace_back(busy, Calls(h, {"camCaptureImageFile"}).size(), h.host.os.sleeps.size(),
                           h.dialog->Link().PendingFiles().size());
    };
    // The data source's capture request.
    EXPECT_EQ(h.dialog->CaptureOne(), 1);
    EXPECT_EQ(changes, (std::vector<BusyChange>{{true, 0, 0, 0}, {false, 4, 3, 1}}));
  });
  EXPECT_EQ(h.host.ui.unmatchedBusyEnds, 0);
}

TEST_F(Capture, ACaptureWithoutAWorkFolderIsRefusedWithAMessage) {
  h.host.os.tempPath = std::nullopt;
  h.RunWith([&] {
    ASSERT_FALSE(h.dialog->Pipeline().WorkFolder());
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_EQ(Calls(h, {"camCaptureImageFile"}), Lines{});
    EXPECT_EQ(h.host.ui.messageBoxes, Texts{u"error"});
  });
}

TEST_F(Capture, WithTheSecondaryCameraOnAPressPublishesBothShotsUnderOneNumberOrOnlyTheCrops) {
  h.WriteProgramFile("Kelpra.ini", kTwoCameras);
  int shown = 0;
  h.Then([&] {
    // Without a secondary camera its button publishes nothing.
    h.dialog->RunHandler(IDC_SECONDARY_CAPTURE);
    EXPECT_TRUE(h.dialog->Link().PendingFiles().empty());
    // The first camera of the list can be the secondary one: device 0 is a
    // camera like any other, not "none".
    ASSERT_TRUE(h.Window().UserSelect(IDC_DEVICE, 1));
    h.ClickHidden(IDC_SECONDARY_CAMERA);
    ASSERT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 0);
    h.host.ui.onBusyChange = [&](bool busy) { shown += busy ? 1 : 0; };
    CaptureAt(h, 40);
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              (Texts{WorkPath(h, "1_40.bmp"), WorkPath(h, "2_40.bmp")}));
    h.ClickHidden(IDC_SECONDARY_CAMERA);
    ASSERT_TRUE(h.Window().UserSelect(IDC_DEVICE, 0));
    h.ClickHidden(IDC_SECONDARY_CAMERA);
    ASSERT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
    // A failed main shot still leaves the secondary camera's picture. With
    // the window shown the camera is tried once, and nothing is said.
    ASSERT_EQ(h.Hooks().FailNext("camCaptureImageFile", 1, -5), 0);
    CaptureAt(h, 50);
    EXPECT_EQ(h.dialog->Link().PendingFiles().size(), 3u);
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    EXPECT_EQ(h.dialog->Link().PendingFiles().back(), WorkPath(h, "2_50.bmp"));
    h.dialog->RunHandler(IDC_SECONDARY_CAPTURE);
    EXPECT_EQ(h.dialog->Link().PendingFiles().size(), 4u);
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(h.host.ui.busyDepth, 0);
    // A multiple crop publishes only the crops.
    ASSERT_TRUE(h.Window().UserSelect(IDC_CROP_MODE, 2));
    CaptureAt(h, 70);
    const Texts& files = h.dialog->Link().PendingFiles();
    EXPECT_EQ(Texts(files.begin() + 4, files.end()),
              (Texts{WorkPath(h, "1_70_1.bmp"), WorkPath(h, "1_70_2.bmp")}));
    EXPECT_TRUE(WorkFileExists(h, "2_70.bmp"));
  });
  h.RunWith([&] { EXPECT_EQ(h.dialog->Thumbnails().GetItemCount(), 6); });
}
