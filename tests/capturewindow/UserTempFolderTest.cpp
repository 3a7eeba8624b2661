// Capturing with a user's temp folder whose name the ANSI code page cannot
// hold, or whose path is 238 characters long: the pictures are written into
// the folder under its short name, listed, and handed over whole; without a
// short name a capture is refused before anything is written or listed.
#include <filesystem>
#include <tuple>

#include "CaptureWindowHarness.h"
#include "support/UserTempFolder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::UserTempKind;

const char kTwoDocuments[] = "[Device]\nName=Desk\nDpi=300\nDocuments=2\nFormat=MJPG\nSize=640x480\n";

class UserTempCapture : public ::testing::TestWithParam<std::tuple<UserTempKind, bool>> {};

size_t CaptureCalls(CaptureWindowHarness& h) {
  size_t calls = 0;
  for (const std::string& line : h.CallLines()) calls += line.rfind("camCaptureImageFile", 0) == 0;
  return calls;
}

}  // namespace

TEST_P(UserTempCapture, PicturesAreListedAndHandedOverWholeOrTheCaptureIsRefused) {
  const auto [kind, withShortName] = GetParam();
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kTwoDocuments);
  const testing_support::UserTempFolder user =
      testing_support::MakeUserTempFolder(h.host.os, h.ProgramFile("temp"), kind, withShortName);
  h.dataSource.batchAnswer = 212;
  h.Then([&] {
    h.ClearCallLog();
    h.host.os.tickCount = 500;
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
    // A multiple crop's files carry a number more.
    ASSERT_TRUE(h.Window().UserSelect(IDC_CROP_MODE, 2));
    h.host.os.tickCount = 0x80000000u;  // printed as -2147483648, the longest number
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
  });
  h.Then([&] {
    if (!withShortName) {
      EXPECT_EQ(h.host.ui.messageBoxes, (std::vector<std::u16string>{u"error", u"error"}));
      EXPECT_EQ(CaptureCalls(h), 0u);
      EXPECT_FALSE(fs::exists(user.onDisk / "Dorvel"));
      EXPECT_EQ(h.dialog->Thumbnails().GetItemCount(), 0);
      EXPECT_FALSE(h.Window().IsEnabled(IDC_EXIT));
      h.dataSource.SendCode(212);
      return;
    }
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    const std::u16string folder = user.shortPath + u"\\Dorvel\\";
    const std::vector<std::u16string> files{folder + u"1_500.bmp",
                                            folder + u"1_-2147483648_1.bmp",
                                            folder + u"1_-2147483648_2.bmp"};
    EXPECT_EQ(h.dialog->Link().PendingFiles(), files);
    EXPECT_EQ(h.dialog->Thumbnails().GetItemCount(), 3);
    // The short name is the same folder.
    EXPECT_TRUE(fs::exists(user.onDisk / "Dorvel" / "1_-2147483648_2.bmp"));
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
    std::vector<std::u16string> handedOver;
    for (const testing_support::ReceivedRecord& record : h.dataSource.Received()) {
      if (record.code != kDSCodeFile) continue;
      EXPECT_TRUE(record.fileExisted);
      handedOver.push_back(record.text);
    }
    EXPECT_EQ(handedOver, files);
  });
  h.Run();
}

INSTANTIATE_TEST_SUITE_P(
    CyrillicAndLong, UserTempCapture,
    ::testing::Combine(::testing::Values(UserTempKind::Cyrillic, UserTempKind::Long),
                       ::testing::Bool()),
    [](const auto& info) { return testing_support::UserTempCaseName(info.param); });
