// Finishing a session with the Exit button: the windows hide and the
// captured files reach the data source, in batch or one by one.
#include "CaptureWindowHarness.h"
#include "settings/SettingsFile.h"

namespace {

using Transcript = std::vector<std::string>;

// What a capture leaves: a picture in the work folder, listed and handed to
// the link.
std::string CaptureByHand(CaptureWindowHarness& h, int number) {
  const std::string path = h.WorkFile("1_" + std::to_string(number) + ".bmp");
  std::vector<char> buffer(path.begin(), path.end());
  buffer.resize(1024, '\0');
  EXPECT_EQ(h.dialog->Camera().camCaptureImageFile(0, buffer.data()), 0);
  const std::u16string wide = h.host.os.AnsiToWide(path);
  EXPECT_GE(h.dialog->Thumbnails().AddImage(wide), 0);
  EXPECT_EQ(h.dialog->Link().TransferFile(wide), 0);
  return path;
}

std::string FileRecord(const std::string& path) { return "208 " + path; }

}  // namespace

TEST(Exit, BatchHidesTheWindowsAndHandsOverTheFilesThatStillExist) {
  CaptureWindowHarness h;
  std::string first, second, third;
  h.Then([&] {
    first = CaptureByHand(h, 1);
    second = CaptureByHand(h, 2);
    third = CaptureByHand(h, 3);
    ASSERT_TRUE(h.host.os.RemoveFile(second));
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
    EXPECT_FALSE(h.Window().IsVisible());
    EXPECT_FALSE(h.dialog->Devices().MainPreviewHost()->IsVisible());
    EXPECT_FALSE(h.dialog->Merges().Preview()->IsVisible());
    EXPECT_EQ(h.dataSource.Transcript(),
              (Transcript{"207 BEGIN", "209", FileRecord(first), "209", FileRecord(third),
                          "207 END"}));
    EXPECT_FALSE(h.Window().IsModalEnded());  // the data source closes the window
    // Finishing again hands nothing over a second time.
    h.dialog->RunHandler(IDC_EXIT);
    EXPECT_EQ(h.dataSource.Transcript().size(), 6u);
  });
  h.Then([&] { h.dataSource.SendCode(211); });
  h.Run();
  EXPECT_EQ(h.dataSource.Transcript().size(), 9u);
  EXPECT_EQ(h.dataSource.Transcript()[6], "212");
  EXPECT_EQ(h.dataSource.Transcript()[7], "207 END");
}

TEST(Exit, OneByOneEndsTheLinkAndClosesTheWindow) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.ShowUIUpdataOneByOne = 1;
  h.SaveSettings(saved);
  std::string path;
  h.Then([&] {
    path = CaptureByHand(h, 7);
    EXPECT_EQ(h.dataSource.Transcript(), (Transcript{"209", FileRecord(path)}));
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
  });
  EXPECT_EQ(h.Run(), platform::kIdCancel);
  EXPECT_EQ(h.dataSource.Transcript(),
            (Transcript{"209", FileRecord(path), "207 END", "212", "207 END", "212"}));
}

TEST(Exit, SettingsOtherThanOneMeanBatch) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.ShowUIUpdataOneByOne = 2;
  h.SaveSettings(saved);
  h.Then([&] {
    const std::string path = CaptureByHand(h, 9);
    EXPECT_TRUE(h.dataSource.Transcript().empty());
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
    EXPECT_EQ(h.dataSource.Transcript(),
              (Transcript{"207 BEGIN", "209", FileRecord(path), "207 END"}));
  });
  h.Then([&] { h.dataSource.SendCode(212); });
  h.Run();
}
