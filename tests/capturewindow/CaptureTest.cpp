// Pressing Capture: the files a press writes, what reaches the thumbnail
// list and the data source, and what a failing camera does.
#include <algorithm>

#include "CaptureWindowHarness.h"
#include "settings/SettingsFile.h"

namespace {

using Transcript = std::vector<std::string>;

std::vector<std::string> CaptureCalls(CaptureWindowHarness& h) {
  std::vector<std::string> calls;
  for (const std::string& line : h.CallLines()) {
    if (line.rfind("camCaptureImageFile", 0) == 0) calls.push_back(line);
  }
  return calls;
}

}  // namespace

TEST(Capture, APlainCaptureWritesABitmapWhateverTheFormatListShows) {
  CaptureWindowHarness h;
  h.host.os.tickCount = 4242;
  settings::SessionSettings saved;
  saved.fileType = 1;  // JPEG
  saved.ShowUIUpdataOneByOne = 1;
  h.SaveSettings(saved);
  h.Then([&] {
    ASSERT_EQ(h.Window().Selection(IDC_FILE_FORMAT), 1);
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
    const std::string file = h.WorkFile("1_4242.bmp");
    EXPECT_EQ(CaptureCalls(h), std::vector<std::string>{"camCaptureImageFile(0,\"" + file + "\")"});
    EXPECT_EQ(h.dataSource.Transcript(), (Transcript{"209", "208 " + file}));
    EXPECT_EQ(h.dialog->Pipeline().CurrentFile(), h.host.os.AnsiToWide(file));
  });
  // The thumbnail appears once the window has run the list's posted insert.
  h.Then([&] {
    EXPECT_EQ(h.dialog->Thumbnails().GetItemCount(), 1);
    EXPECT_TRUE(h.Window().IsEnabled(IDC_EXIT));
  });
  h.Run();
}

TEST(Capture, TwoCapturesInOneTickKeepBothPictures) {
  CaptureWindowHarness h;
  h.host.os.tickCount = 9000;
  h.Then([&] {
    h.Window().UserClick(IDC_CAPTURE);
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              (std::vector<std::u16string>{h.host.os.AnsiToWide(h.WorkFile("1_9000.bmp")),
                                           h.host.os.AnsiToWide(h.WorkFile("1_9001.bmp"))}));
  });
  h.Run();
}

TEST(Capture, TheDataSourcesCaptureRequestCapturesToo) {
  CaptureWindowHarness h;
  h.Then([&] {
    EXPECT_EQ(h.dialog->CaptureOne(), 1);
    EXPECT_EQ(h.dialog->Link().PendingFiles().size(), 1u);
  });
  h.Run();
}

TEST(Capture, WithoutAUserInterfaceAFailingCameraIsTriedSevenTimesThenTheSessionFinishes) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", "[Library]\nFail=camCaptureImageFile,7,-5\n");
  h.Then([&] {
    h.dataSource.SendCode(204, u"NOUI");
    h.host.os.sleeps.clear();
    h.dialog->RunHandler(IDC_CAPTURE);
    EXPECT_EQ(CaptureCalls(h).size(), 7u);
    EXPECT_EQ(h.host.os.sleeps, (std::vector<uint32_t>(6, 500)));
    EXPECT_EQ(h.host.ui.messageBoxes, std::vector<std::u16string>{u"Capture Failed."});
    // The Exit action ran with nothing captured: the data source hears only "BEGIN".
    EXPECT_EQ(h.dataSource.Transcript(), Transcript{"207 BEGIN"});
    EXPECT_FALSE(h.Window().IsVisible());
  });
  h.Then([&] { h.dataSource.SendCode(212); });
  h.Run();
}

TEST(Capture, WithAUserInterfaceAFailingCameraIsTriedOnceAndNothingIsSaid) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", "[Library]\nFail=camCaptureImageFile,1,-5\n");
  h.Then([&] {
    h.dataSource.SendCode(204, u"SHOWUI");
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_EQ(CaptureCalls(h).size(), 1u);
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    EXPECT_TRUE(h.dialog->Link().PendingFiles().empty());
    EXPECT_TRUE(h.Window().IsVisible());
  });
  h.Run();
}

TEST(Capture, AMultipleCropPublishesEachFileItListed) {
  CaptureWindowHarness h;
  h.host.os.tickCount = 77;
  h.Then([&] {
    h.Window().UserSelect(IDC_CROP_MODE, 2);
    // What the crop list's handler asks of the library.
    ASSERT_EQ(h.dialog->Camera().camSetImageAutoCrop(0, 2), 0);
    h.Window().UserClick(IDC_CAPTURE);
    const auto& pending = h.dialog->Link().PendingFiles();
    ASSERT_GE(pending.size(), 2u);
    for (const std::u16string& path : pending) {
      EXPECT_FALSE(path.empty());
      EXPECT_TRUE(h.host.os.FileExists(path));
    }
  });
  h.Then([&] {
    EXPECT_EQ(h.dialog->Thumbnails().GetItemCount(),
              static_cast<int>(h.dialog->Link().PendingFiles().size()));
  });
  h.Run();
}

TEST(Capture, FilesOfAMultipleCropTheLibraryKeptMakingArePublishedNotTheNameItWasGiven) {
  CaptureWindowHarness h;
  h.host.os.tickCount = 500;
  h.Then([&] {
    h.Window().UserSelect(IDC_CROP_MODE, 2);
    // The library keeps cropping each document although the list says none.
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.FailNext("camSetImageAutoCrop", 1, -5), 0);
    h.Window().UserSelect(IDC_CROP_MODE, 0);
    h.Window().UserClick(IDC_CAPTURE);
    const std::string main = h.WorkFile("1_500");
    EXPECT_EQ(h.dialog->Link().PendingFiles(),
              (std::vector<std::u16string>{h.host.os.AnsiToWide(main + "_1.bmp"),
                                           h.host.os.AnsiToWide(main + "_2.bmp")}));
  });
  h.Run();
}

TEST(Capture, ACaptureWithoutAWorkFolderIsRefusedWithAMessage) {
  CaptureWindowHarness h;
  h.host.os.tempPath = std::nullopt;
  h.Then([&] {
    ASSERT_FALSE(h.dialog->Pipeline().WorkFolder());
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_TRUE(CaptureCalls(h).empty());
    EXPECT_EQ(h.host.ui.messageBoxes, std::vector<std::u16string>{u"error"});
  });
  h.Run();
}

TEST(Capture, TheSecondaryButtonWithoutASecondaryCameraPublishesNothing) {
  CaptureWindowHarness h;
  h.Then([&] {
    h.dialog->RunHandler(IDC_SECONDARY_CAPTURE);
    EXPECT_TRUE(h.dialog->Link().PendingFiles().empty());
    EXPECT_EQ(h.dialog->Thumbnails().GetItemCount(), 0);
  });
  h.Run();
}
