// From process start to exit, as the data source and the user see it: the
// application object runs the capture window modally on the headless
// platform while the data source's twin and the user act through queued
// steps.
#include "app/CTessivueApp.h"
#include "capturewindow/CaptureWindowHarness.h"

namespace {

using Transcript = std::vector<std::string>;

// The capture window's program folder, data source and queued steps, with
// the application object starting the window.
class SessionTest : public ::testing::Test {
 protected:
  void Run() { EXPECT_FALSE(app.InitInstance()); }

  CaptureWindowHarness h;
  CTessivueApp app{h.host.platform};
};

}  // namespace

// 211 asks the window to close and is answered with 212; 212 closes it
// without an answer. Either way the link ends and no window is left.
class FinishingFromTheDataSource : public SessionTest, public testing::WithParamInterface<int> {};

TEST_P(FinishingFromTheDataSource, ClosesTheConnectedWindowAndLeavesNone) {
  h.Then([&] {
    EXPECT_TRUE(h.dataSource.SendCode(202));
    EXPECT_TRUE(h.Window().IsVisible());
    EXPECT_FALSE(h.Window().IsEnabled(IDC_EXIT));
    EXPECT_TRUE(g_TessivueDlg->IsStartUpComplete());
  });
  h.Then([&] { h.dataSource.SendCode(GetParam()); });
  Run();
  const Transcript answered{"203 CONNECTED", "212", "207 END", "212"};
  const Transcript unanswered{"203 CONNECTED", "207 END", "212"};
  EXPECT_EQ(h.dataSource.Transcript(), GetParam() == 211 ? answered : unanswered);
  EXPECT_EQ(h.host.ui.commonControlsInitialised, 1);
  EXPECT_EQ(h.host.ui.idleCloses, 0);
  EXPECT_FALSE(h.host.desktop.HasWindowTitled(u"Prismel"));
  EXPECT_FALSE(h.host.desktop.HasWindowTitled(u"TWAINDSUIWINDOWS"));
  EXPECT_EQ(g_TessivueDlg, nullptr);
  EXPECT_EQ(g_ScanTwainControl, nullptr);
}

INSTANTIATE_TEST_SUITE_P(SessionTest, FinishingFromTheDataSource, testing::Values(211, 212));

TEST_F(SessionTest, ClosingThroughTheSystemMenuEndsTheSession) {
  h.Then([&] { h.Window().UserSysCommand(0xF060); });  // the close box
  Run();
  EXPECT_EQ(h.dataSource.Transcript(), (Transcript{"207 END", "212"}));
  EXPECT_EQ(h.host.os.sleeps, std::vector<uint32_t>{500});
}
