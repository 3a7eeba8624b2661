// From process start to exit, as the data source and the user see it.
#include <gtest/gtest-spi.h>

#include "SessionHarness.h"

TEST_F(SessionTest, ConnectsShowsTheWindowAndDisablesExit) {
  Step([&] {
    EXPECT_TRUE(dataSource.SendCode(202));
    EXPECT_TRUE(CaptureWindow().IsVisible());
    EXPECT_FALSE(CaptureWindow().IsEnabled(IDC_EXIT));
    EXPECT_TRUE(g_TessivueDlg->IsStartUpComplete());
  });
  Step([&] { dataSource.SendCode(211); });
  Run();
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"203 CONNECTED", "212", "207 END", "212"}));
  EXPECT_EQ(host.ui.commonControlsInitialised, 1);
  EXPECT_EQ(host.ui.idleCloses, 0);
}

TEST_F(SessionTest, FinishingFromTheDataSourceClosesWithoutAnswerAndLeavesNoWindow) {
  Step([&] { dataSource.SendCode(202); });
  Step([&] { dataSource.SendCode(212); });
  Run();
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"203 CONNECTED", "207 END", "212"}));
  EXPECT_FALSE(host.desktop.HasWindowTitled(u"Prismel"));
  EXPECT_FALSE(host.desktop.HasWindowTitled(u"TWAINDSUIWINDOWS"));
  EXPECT_EQ(g_TessivueDlg, nullptr);
  EXPECT_EQ(g_ScanTwainControl, nullptr);
}

TEST_F(SessionTest, ClosingThroughTheSystemMenuEndsTheSession) {
  Step([&] { CaptureWindow().UserSysCommand(0xF060); });  // the close box
  Run();
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"207 END", "212"}));
  EXPECT_EQ(host.os.sleeps, std::vector<uint32_t>{500});
}

// A check queued for the modal loop is no check when the loop never comes:
// the test that queued it fails, whichever part of the start-up cancels.
TEST(QueuedSteps, ThatNeverRunFailTheTestWhenTheStartUpCancels) {
  const auto cancelled = [](auto breakStartUp) {
    Session session;
    breakStartUp(session);
    session.Step([] {});
    session.Step([] {});
    session.Run();
  };
  EXPECT_NONFATAL_FAILURE(cancelled([](Session& s) {
    s.program.WriteFile("Kelpra.ini", "[Library]\nFail=camInitCameraLib,1,-9\n");
  }), "2 queued step(s) never ran");
  EXPECT_NONFATAL_FAILURE(cancelled([](Session& s) {
    s.host.ui.refusedTemplates.push_back(IDD_RECEIVE_DS_MESSAGES);
  }), "2 queued step(s) never ran");
}
