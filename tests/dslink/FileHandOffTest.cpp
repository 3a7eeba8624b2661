// Handing captured files to the data source, one by one or as a batch.
#include <cstdio>
#include <fstream>

#include "LinkTestFixture.h"
#include "platform/headless/TextConversions.h"

namespace {

std::u16string MakeFile(const std::string& name) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path) << "image";
  return headless::Utf8ToUtf16(path);
}

}  // namespace

TEST_F(LinkTest, TransferBeforeConnectIsRefused) {
  EXPECT_EQ(link.TransferFile(u"C:\\a.bmp"), -1);
  EXPECT_TRUE(link.PendingFiles().empty());
  EXPECT_TRUE(dataSource.Received().empty());
}

TEST_F(LinkTest, OneByOneSendsEachFileAtOnce) {
  link.SetOneByOne(true);
  Connect();
  EXPECT_EQ(link.TransferFile(u"C:\\t\\1_5.bmp"), 0);
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"209", "208 C:\\t\\1_5.bmp"}));
  EXPECT_TRUE(link.PendingFiles().empty());
}

TEST_F(LinkTest, PathOf259UnitsTravelsWholeAnd260IsRefused) {
  link.SetOneByOne(true);
  Connect();
  const std::u16string longest = u"C:\\" + std::u16string(252, u'p') + u".bmp";
  ASSERT_EQ(longest.size(), 259u);
  EXPECT_EQ(link.TransferFile(longest), 0);
  ASSERT_EQ(dataSource.Received().size(), 2u);
  EXPECT_EQ(dataSource.Received()[1].text, longest);

  dataSource.ClearReceived();
  EXPECT_EQ(link.TransferFile(longest + u"x"), -1);
  EXPECT_EQ(link.TransferFile(std::u16string(u"C:\\a\0b.bmp", 10)), -1);
  EXPECT_TRUE(dataSource.Received().empty());
}

TEST_F(LinkTest, BatchSendsExistingFilesInCaptureOrder) {
  Connect();
  const std::u16string first = MakeFile("handoff_1.bmp");
  const std::u16string second = MakeFile("handoff_2.bmp");
  const std::u16string third = MakeFile("handoff_3.bmp");
  for (const auto& path : {first, second, third}) EXPECT_EQ(link.TransferFile(path), 0);
  EXPECT_TRUE(dataSource.Received().empty());

  std::remove(headless::Utf16ToUtf8(second).c_str());
  dataSource.batchAnswer = 212;
  link.SendPendingFiles();

  const auto p = [](const std::u16string& s) { return "208 " + headless::Utf16ToUtf8(s); };
  EXPECT_EQ(dataSource.Transcript(),
            (Transcript{"207 BEGIN", "209", p(first), "209", p(third), "207 END"}));
  EXPECT_EQ(window.closeRequests, 1);
}

TEST_F(LinkTest, EmptyBatchSendsOnlyBegin) {
  Connect();
  link.SendPendingFiles();
  EXPECT_EQ(dataSource.Transcript(), Transcript{"207 BEGIN"});
}

TEST_F(LinkTest, FinishingABatchHandsTheFilesOverOnceAndKeepsTheLink) {
  Connect();
  const std::u16string only = MakeFile("handoff_finish.bmp");
  EXPECT_EQ(link.TransferFile(only), 0);
  EXPECT_FALSE(link.FinishSession());
  EXPECT_FALSE(link.FinishSession());  // a second finish only hides the windows
  EXPECT_EQ(dataSource.Transcript(),
            (Transcript{"207 BEGIN", "209", "208 " + headless::Utf16ToUtf8(only), "207 END"}));
  EXPECT_TRUE(link.IsReceiving());
}

TEST_F(LinkTest, FinishingOneByOneEndsTheLinkAndAsksForTheWindowToClose) {
  link.SetOneByOne(true);
  Connect();
  EXPECT_TRUE(link.FinishSession());
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"207 END", "212"}));
  EXPECT_FALSE(link.IsReceiving());
}
