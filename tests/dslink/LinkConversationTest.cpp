// The conversation with the data source: each code and kind, as the data
// source sees it.
#include <climits>

#include "LinkTestFixture.h"

// Connect makes one hidden receiving window and says nothing; Disconnect
// says "END" and 212 each time but destroys the window once.
TEST_F(LinkTest, ConnectCreatesOneReceivingWindowAndDisconnectEndsEachTimeButDestroysOnce) {
  EXPECT_EQ(link.Disconnect(), 1);  // never connected: nothing said
  EXPECT_EQ(link.Connect(nullptr), 0);
  EXPECT_EQ(host.ui.messageBoxes, std::vector<std::u16string>{u"m_TwainWindow = null"});
  EXPECT_FALSE(host.desktop.HasWindowTitled(u"TWAINDSUIWINDOWS"));
  Connect();
  EXPECT_EQ(host.desktop.CountTitled(u"TWAINDSUIWINDOWS"), 1u);
  EXPECT_EQ(host.link.filterOpened, 1);
  EXPECT_TRUE(dataSource.Received().empty());
  EXPECT_EQ(link.Disconnect(), 1);
  EXPECT_FALSE(host.desktop.HasWindowTitled(u"TWAINDSUIWINDOWS"));
  EXPECT_EQ(link.Disconnect(), 1);
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"207 END", "212", "207 END", "212"}));
  EXPECT_EQ(host.os.sleeps, (std::vector<uint32_t>{500, 500}));
  // Once the receiving window is gone, the data source cannot reach us.
  EXPECT_FALSE(dataSource.SendCode(202));
}

// Codes that need no answer get none, and a finish request gets none one by
// one. None of them asks the window to close or changes the user-interface
// mode. (The probe's answer, and what a finish request and "finishing" do
// in batch, are checked in whole sessions: SessionTest and
// AutoCaptureClosedByTheDataSource.)
TEST_F(LinkTest, OtherCodesAndAFinishRequestOneByOneAreNotAnswered) {
  Connect();
  for (int32_t code : {0, -1, 203, 207, 208, 209, 210, 213, INT_MAX}) dataSource.SendCode(code);
  link.SetOneByOne(true);
  dataSource.SendCode(211);
  EXPECT_TRUE(dataSource.Received().empty());
  EXPECT_EQ(window.closeRequests, 0);
  EXPECT_EQ(link.UiMode(), kUiModeUnknown);
}

TEST_F(LinkTest, UiModeFollowsExactKeywordsOnly) {
  Connect();
  const std::pair<const char16_t*, int32_t> steps[] = {
      {u"noui", kUiModeUnknown}, {u"NOUI", kUiModeNoUi},     {u"ShowUI", kUiModeNoUi},
      {u"SHOWUI", kUiModeShowUi}, {u"NOUI ", kUiModeShowUi}};
  for (const auto& [text, mode] : steps) {
    dataSource.SendCode(204, text);
    EXPECT_EQ(link.UiMode(), mode);
  }
  EXPECT_TRUE(dataSource.Received().empty());
}
