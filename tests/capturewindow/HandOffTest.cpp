// From the Capture button to the data source: the order of the records, in
// batch and one by one, with a picture deleted from the thumbnail list in
// between, and the secondary camera's shots beside the main one.
#include "CaptureWindowHarness.h"
#include "DeviceSteps.h"
#include "platform/headless/HeadlessListView.h"
#include "settings/SettingsFile.h"

namespace {

using device_steps::CommandToggle;
using Transcript = std::vector<std::string>;

std::string FileRecord(CaptureWindowHarness& h, const std::string& name) {
  return "208 " + h.WorkFile(name);
}

void CaptureAt(CaptureWindowHarness& h, uint32_t tick) {
  h.host.os.tickCount = tick;
  ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
}

headless::HeadlessListView& Thumbnails(CaptureWindowHarness& h) {
  return *static_cast<headless::HeadlessListView*>(h.Window().ListViewControl(IDC_THUMBNAILS));
}

// A document camera with two documents on the desk, and a webcam.
const char kTwoCameras[] =
    "[Device]\nName=Desk\nDpi=300\nDocuments=2\nFormat=MJPG\nSize=640x480\n"
    "[Device]\nName=Webcam\nDpi=96\nFormat=MJPG\nSize=640x480\n";

}  // namespace

TEST(HandOff, ABatchSkipsThePictureDeletedFromTheList) {
  CaptureWindowHarness h;
  h.Then([&] {
    CaptureAt(h, 10);
    CaptureAt(h, 20);
    CaptureAt(h, 30);
  });
  // The list shows the pictures once their inserts ran; delete the second.
  h.Then([&] {
    ASSERT_EQ(h.dialog->Thumbnails().GetItemCount(), 3);
    Thumbnails(h).menuChooser = [](const headless::HeadlessListView::MenuShown& menu) {
      return menu.entries.front().command;
    };
    Thumbnails(h).UserSelectOnly(1);
    Thumbnails(h).UserRightClick(1);
  });
  h.Then([&] {
    EXPECT_EQ(h.dialog->Thumbnails().GetItemCount(), 2);
    EXPECT_FALSE(h.host.os.FileExists(h.host.os.AnsiToWide(h.WorkFile("1_20.bmp"))));
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
    EXPECT_EQ(h.dataSource.Transcript(),
              (Transcript{"207 BEGIN", "209", FileRecord(h, "1_10.bmp"), "209",
                          FileRecord(h, "1_30.bmp"), "207 END"}));
  });
  h.Then([&] { h.dataSource.SendCode(212); });
  h.Run();
  EXPECT_EQ(h.dataSource.Transcript().size(), 8u);  // then "END", 212 at destruction
}

TEST(HandOff, OneByOneEachFileArrivesBeforeTheNextCaptureStarts) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.ShowUIUpdataOneByOne = 1;
  h.SaveSettings(saved);
  h.Then([&] {
    CaptureAt(h, 10);
    EXPECT_EQ(h.dataSource.Transcript(), (Transcript{"209", FileRecord(h, "1_10.bmp")}));
    CaptureAt(h, 20);
    EXPECT_EQ(h.dataSource.Transcript(),
              (Transcript{"209", FileRecord(h, "1_10.bmp"), "209", FileRecord(h, "1_20.bmp")}));
    EXPECT_TRUE(h.dialog->Link().PendingFiles().empty());
  });
  h.Run();
}

TEST(HandOff, WithTheSecondaryCameraOnAPressPublishesBothShotsUnderOneNumber) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kTwoCameras);
  h.Then([&] {
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    ASSERT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
    CaptureAt(h, 40);
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              (std::vector<std::u16string>{h.host.os.AnsiToWide(h.WorkFile("1_40.bmp")),
                                           h.host.os.AnsiToWide(h.WorkFile("2_40.bmp"))}));
    // A failed main shot still leaves the secondary camera's picture.
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camCaptureImageFile", 1, -5), 0);
    CaptureAt(h, 50);
    EXPECT_EQ(h.dialog->Link().PendingFiles().back(), h.host.os.AnsiToWide(h.WorkFile("2_50.bmp")));
    EXPECT_EQ(h.dialog->Link().PendingFiles().size(), 3u);
  });
  h.Run();
}

TEST(HandOff, TheSecondaryButtonWritesTheChosenFormat) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kTwoCameras);
  settings::SessionSettings saved;
  saved.fileType = 1;  // JPEG
  saved.ShowUIUpdataOneByOne = 1;
  h.SaveSettings(saved);
  h.Then([&] {
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    h.host.os.tickCount = 60;
    h.dialog->RunHandler(IDC_SECONDARY_CAPTURE);
    EXPECT_EQ(h.dataSource.Transcript(), (Transcript{"209", FileRecord(h, "2_60.jpg")}));
    EXPECT_EQ(h.dialog->Pipeline().CurrentFile(), h.host.os.AnsiToWide(h.WorkFile("2_60.jpg")));
  });
  h.Then([&] { EXPECT_EQ(h.dialog->Thumbnails().GetItemCount(), 1); });
  h.Run();
}

TEST(HandOff, AMultipleCropWithTheSecondaryCameraOnPublishesOnlyTheCrops) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kTwoCameras);
  h.Then([&] {
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    ASSERT_TRUE(h.Window().UserSelect(IDC_CROP_MODE, 2));
    CaptureAt(h, 70);
    const auto& pending = h.dialog->Link().PendingFiles();
    ASSERT_GE(pending.size(), 2u);
    for (const std::u16string& path : pending) {
      EXPECT_EQ(path.find(u"\\2_70"), std::u16string::npos) << h.host.os.WideToAnsi(path);
    }
    EXPECT_TRUE(h.host.os.FileExists(h.host.os.AnsiToWide(h.WorkFile("2_70.bmp"))));
  });
  h.Run();
}
