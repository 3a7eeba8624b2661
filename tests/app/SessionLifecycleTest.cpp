// From process start to exit, as the data source and the user see it: the
// application object runs the capture window modally on the headless
// platform while the data source's twin and the user act through queued
// steps.
#include <gtest/gtest.h>

#include "app/CTessivueApp.h"
#include "capturewindow/CTessivueDlg.h"
#include "resource.h"
#include "support/CheckedPlatform.h"
#include "support/DataSourceTwin.h"
#include "support/ProgramFolder.h"

namespace {

using Transcript = std::vector<std::string>;

class SessionTest : public ::testing::Test {
 protected:
  void Step(std::function<void()> step) { host.ui.AddStep(std::move(step)); }
  void Run() { EXPECT_FALSE(app.InitInstance()); }
  // The capture window while its modal loop runs.
  headless::HeadlessWindow& CaptureWindow() {
    headless::HeadlessWindow* window = host.ui.LastModal(IDD_CAPTURE_WINDOW);
    EXPECT_NE(window, nullptr);
    return *window;
  }

  testing_support::CheckedPlatform host;
  testing_support::ProgramFolder program{host.os};
  testing_support::DataSourceTwin dataSource{host.desktop};
  CTessivueApp app{host.platform};
};

}  // namespace

// 211 asks the window to close and is answered with 212; 212 closes it
// without an answer. Either way the link ends and no window is left.
class FinishingFromTheDataSource : public SessionTest, public testing::WithParamInterface<int> {};

TEST_P(FinishingFromTheDataSource, ClosesTheConnectedWindowAndLeavesNone) {
  Step([&] {
    EXPECT_TRUE(dataSource.SendCode(202));
    EXPECT_TRUE(CaptureWindow().IsVisible());
    EXPECT_FALSE(CaptureWindow().IsEnabled(IDC_EXIT));
    EXPECT_TRUE(g_TessivueDlg->IsStartUpComplete());
  });
  Step([&] { dataSource.SendCode(GetParam()); });
  Run();
  const Transcript answered{"203 CONNECTED", "212", "207 END", "212"};
  const Transcript unanswered{"203 CONNECTED", "207 END", "212"};
  EXPECT_EQ(dataSource.Transcript(), GetParam() == 211 ? answered : unanswered);
  EXPECT_EQ(host.ui.commonControlsInitialised, 1);
  EXPECT_EQ(host.ui.idleCloses, 0);
  EXPECT_FALSE(host.desktop.HasWindowTitled(u"Prismel"));
  EXPECT_FALSE(host.desktop.HasWindowTitled(u"TWAINDSUIWINDOWS"));
  EXPECT_EQ(g_TessivueDlg, nullptr);
  EXPECT_EQ(g_ScanTwainControl, nullptr);
}

INSTANTIATE_TEST_SUITE_P(SessionTest, FinishingFromTheDataSource, testing::Values(211, 212));

TEST_F(SessionTest, ClosingThroughTheSystemMenuEndsTheSession) {
  Step([&] { CaptureWindow().UserSysCommand(0xF060); });  // the close box
  Run();
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"207 END", "212"}));
  EXPECT_EQ(host.os.sleeps, std::vector<uint32_t>{500});
}
