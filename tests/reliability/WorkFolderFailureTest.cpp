// A disk that fills up: a capture that cannot be written publishes nothing
// and leaves no half-written picture, the data source's session without a
// user interface ends the way a failed capture ends it, and the settings
// file stays whole.
//
// The full disk is real: the process may write no file past a few hundred
// bytes (RLIMIT_FSIZE), so the library's writes and the settings save fail
// part-way through, as they do on a full disk (with EFBIG for ENOSPC).
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "Figures.h"
#include "ScriptedSession.h"
#include "resource.h"
#include "support/FolderNames.h"

namespace reliability {
namespace {

using Transcript = std::vector<std::string>;

// While it lives, no file of this process grows past `bytes`.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    struct rlimit limit = previous_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  struct rlimit previous_ {};
  sighandler_t previousHandler_;
};

// The pictures in the work folder.
std::vector<std::string> Pictures(CaptureWindowHarness& h) {
  return testing_support::SortedNames(headless::NativePath(*h.dialog->Pipeline().WorkFolder()));
}

TEST(FullDisk, WithoutAUserInterfaceTheSessionEndsWithWhatWasCapturedAndTheSettingsStayWhole) {
  // The session's library and a settings file from before, in batch mode.
  ScriptedSession session({});
  CaptureWindowHarness& h = session.h;
  const std::string settingsBefore = h.SettingsFileText();
  std::unique_ptr<FileSizeLimit> full;
  h.host.os.tickCount = 1000;
  h.Then([&] {
    h.dataSource.SendCode(kDSCodeUiMode, u"NOUI");
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
    h.host.os.tickCount = 2000;
    ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
    ASSERT_EQ(h.dialog->Link().PendingFiles().size(), 2u);
    // The settings change, and then the disk is full.
    h.Window().UserSelect(IDC_COLOR_MODE, 2);
    full = std::make_unique<FileSizeLimit>(512);
    h.host.os.tickCount = 3000;
    h.host.os.sleeps.clear();
    h.Window().UserClick(IDC_CAPTURE);
    EXPECT_EQ(h.host.os.sleeps, std::vector<uint32_t>(6, 500));
  });
  h.Run();
  full.reset();

  const std::string first = h.WorkFile("1_1000.bmp"), second = h.WorkFile("1_2000.bmp");
  EXPECT_EQ(h.host.ui.messageBoxes, std::vector<std::u16string>{u"Capture Failed."});
  EXPECT_EQ(h.dataSource.Transcript(), (Transcript{"207 BEGIN", "209", "208 " + first, "209",
                                                   "208 " + second, "207 END", "207 END", "212"}));
  // No half-written picture is left behind, and the settings file is the
  // one from before the session: its save could not be completed.
  EXPECT_EQ(Pictures(h), (std::vector<std::string>{"1_1000.bmp", "1_2000.bmp"}));
  EXPECT_EQ(h.SettingsFileText(), settingsBefore);
  EXPECT_FALSE(std::filesystem::exists(h.ProgramFile("LastSetting.xml.tmp")));
  RecordFigure("Full disk, no user interface", "1",
               "2 earlier files handed over, failed shot tried 7 times, nothing half-written "
               "published, settings file unchanged");
}

}  // namespace
}  // namespace reliability
