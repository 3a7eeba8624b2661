// The conversation with the data source: each code and kind, as the data
// source sees it.
#include "LinkTestFixture.h"

TEST_F(LinkTest, ConnectCreatesOneHiddenReceivingWindowAndSendsNothing) {
  Connect();
  EXPECT_EQ(host.desktop.CountTitled(u"TWAINDSUIWINDOWS"), 1u);
  EXPECT_TRUE(dataSource.Received().empty());
  EXPECT_EQ(host.link.filterOpened, 1);
}

TEST_F(LinkTest, ConnectWithoutCaptureWindowFailsWithMessage) {
  EXPECT_EQ(link.Connect(nullptr), 0);
  EXPECT_EQ(host.ui.messageBoxes, std::vector<std::u16string>{u"m_TwainWindow = null"});
  EXPECT_FALSE(host.desktop.HasWindowTitled(u"TWAINDSUIWINDOWS"));
}

TEST_F(LinkTest, ProbeIsAnsweredEveryTime) {
  Connect();
  dataSource.SendCode(202);
  dataSource.SendCode(202);
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"203 CONNECTED", "203 CONNECTED"}));
  EXPECT_EQ(dataSource.Received()[0].size, 524u);
}

TEST_F(LinkTest, UiModeFollowsExactKeywordsOnly) {
  Connect();
  EXPECT_EQ(link.UiMode(), kUiModeUnknown);
  dataSource.SendCode(204, u"noui");
  EXPECT_EQ(link.UiMode(), kUiModeUnknown);
  dataSource.SendCode(204, u"NOUI");
  EXPECT_EQ(link.UiMode(), kUiModeNoUi);
  dataSource.SendCode(204, u"ShowUI");
  EXPECT_EQ(link.UiMode(), kUiModeNoUi);
  dataSource.SendCode(204, u"SHOWUI");
  EXPECT_EQ(link.UiMode(), kUiModeShowUi);
  dataSource.SendCode(204, u"NOUI ");
  EXPECT_EQ(link.UiMode(), kUiModeShowUi);
  EXPECT_TRUE(dataSource.Received().empty());
}

TEST_F(LinkTest, FinishRequestClosesAndAnswersUnlessOneByOne) {
  Connect();
  dataSource.SendCode(211);
  EXPECT_EQ(window.closeRequests, 1);
  EXPECT_EQ(dataSource.Transcript(), Transcript{"212"});

  link.SetOneByOne(true);
  dataSource.ClearReceived();
  dataSource.SendCode(211);
  EXPECT_EQ(window.closeRequests, 1);
  EXPECT_TRUE(dataSource.Received().empty());
}

TEST_F(LinkTest, FinishingFromDataSourceClosesWithoutAnswer) {
  Connect();
  dataSource.SendCode(212);
  EXPECT_EQ(window.closeRequests, 1);
  EXPECT_TRUE(dataSource.Received().empty());
}

TEST_F(LinkTest, ScanSettingsReachTheWindowAsACopy) {
  Connect();
  DSScanSettings settings;
  settings.pixelType = 2;
  settings.resolution = 299.9f;
  settings.rotation = 1;
  settings.autoCrop = 0;
  dataSource.SendScanSettings(settings);
  ASSERT_EQ(window.applied.size(), 1u);
  EXPECT_EQ(window.applied[0].pixelType, 2);
  EXPECT_FLOAT_EQ(window.applied[0].resolution, 299.9f);
  EXPECT_EQ(window.applied[0].rotation, 1);
}

TEST_F(LinkTest, IgnoredKindsAndCodesChangeNothing) {
  Connect();
  const DSMessageRecord probe = MakeDSMessageRecord(202, u"");
  dataSource.SendRaw(kDSKindIgnored, &probe, sizeof probe);
  dataSource.SendRaw(4711, &probe, sizeof probe);
  for (int32_t code : {0, -1, 203, 207, 208, 209, 210, 213, 2147483647}) dataSource.SendCode(code);
  EXPECT_TRUE(dataSource.Received().empty());
  EXPECT_EQ(window.closeRequests, 0);
  EXPECT_TRUE(window.applied.empty());
  EXPECT_EQ(link.UiMode(), kUiModeUnknown);
}

TEST_F(LinkTest, ShortNullAndOverlongRecordsAreHarmless) {
  Connect();
  const int32_t code = 202;
  dataSource.SendRaw(kDSKindTextMessage, nullptr, 524);
  dataSource.SendRaw(kDSKindTextMessage, &code, 3);
  dataSource.SendRaw(kDSKindScanSettings, nullptr, 60);
  DSScanSettings settings;
  dataSource.SendRaw(kDSKindScanSettings, &settings, 59);
  EXPECT_TRUE(dataSource.Received().empty());
  EXPECT_TRUE(window.applied.empty());

  // The code alone is a whole message; a record longer than its layout is
  // read within its layout.
  dataSource.SendRaw(kDSKindTextMessage, &code, 4);
  std::vector<uint8_t> overlong(4096, 0x41);
  std::memcpy(overlong.data(), &code, 4);
  dataSource.SendRaw(kDSKindTextMessage, overlong.data(), static_cast<uint32_t>(overlong.size()));
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"203 CONNECTED", "203 CONNECTED"}));
}

TEST_F(LinkTest, DisconnectSendsEndAndFinishingEachTimeButDestroysOnce) {
  Connect();
  EXPECT_EQ(link.Disconnect(), 1);
  EXPECT_FALSE(host.desktop.HasWindowTitled(u"TWAINDSUIWINDOWS"));
  EXPECT_EQ(link.Disconnect(), 1);
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"207 END", "212", "207 END", "212"}));
  EXPECT_EQ(host.os.sleeps, (std::vector<uint32_t>{500, 500}));
  // Once the receiving window is gone, the data source cannot reach us.
  EXPECT_FALSE(dataSource.SendCode(202));
}

TEST_F(LinkTest, NeverConnectedControllerSendsNothing) {
  EXPECT_EQ(link.Disconnect(), 1);
  EXPECT_TRUE(dataSource.Received().empty());
}

TEST_F(LinkTest, RecordsToAMissingDataSourceAreDroppedSilently) {
  host.os.commandLine = u"Prismel.exe ;Elsewhere;";
  Connect();
  dataSource.SendCode(202);
  EXPECT_TRUE(dataSource.Received().empty());
  EXPECT_TRUE(host.ui.messageBoxes.empty());
}

TEST_F(LinkTest, RecordsGoToTheWindowNamedOnTheCommandLine) {
  testing_support::DataSourceTwin named(host.desktop, u"Scanner DS 7");
  host.os.commandLine = u"\"C:\\Program Files\\Prismel.exe\" ;Scanner DS 7;extra";
  Connect();
  named.SendCode(202);
  EXPECT_EQ(named.Transcript(), Transcript{"203 CONNECTED"});
  EXPECT_TRUE(dataSource.Received().empty());
}
