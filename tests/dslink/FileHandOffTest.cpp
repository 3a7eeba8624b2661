// Handing captured files to the data source, one by one or as a batch, and
// the order a batch takes from the list.
#include <cstdio>
#include <fstream>

#include "LinkTestFixture.h"
#include "dslink/HandOffOrder.h"
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

TEST_F(LinkTest, BatchFollowsTheOrderShownAndStillSkipsFilesThatAreGone) {
  Connect();
  const std::u16string first = MakeFile("order_1.bmp");
  const std::u16string second = MakeFile("order_2.bmp");
  const std::u16string third = MakeFile("order_3.bmp");
  for (const auto& path : {first, second, third}) EXPECT_EQ(link.TransferFile(path), 0);
  // The user put the third first; the second was deleted (its file moved
  // away), but the list's order still names it until the hand-off.
  link.SetFileOrder([&] { return std::vector<std::u16string>{third, first, second}; });
  std::remove(headless::Utf16ToUtf8(second).c_str());
  link.SendPendingFiles();
  const auto p = [](const std::u16string& s) { return "208 " + headless::Utf16ToUtf8(s); };
  EXPECT_EQ(dataSource.Transcript(),
            (Transcript{"207 BEGIN", "209", p(third), "209", p(first), "207 END"}));
  // The queue itself keeps the order the files were taken in.
  EXPECT_EQ(link.PendingFiles(), (std::vector<std::u16string>{first, second, third}));
}

struct ArrangeCase {
  const char* name;
  std::vector<std::u16string> queued;
  std::vector<std::u16string> shown;
  std::vector<std::u16string> handedOver;
};

class HandOffOrder : public ::testing::TestWithParam<ArrangeCase> {};

TEST_P(HandOffOrder, ShownFilesTakeTheirPlacesInTheQueueInTheOrderShown) {
  EXPECT_EQ(ArrangeQueuedFiles(GetParam().queued, GetParam().shown), GetParam().handedOver);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandOffOrder,
    ::testing::Values(
        ArrangeCase{"Reversed", {u"a", u"b", u"c"}, {u"c", u"b", u"a"}, {u"c", u"b", u"a"}},
        // A file the list never showed (not a picture, an empty name) stays
        // where it was queued.
        ArrangeCase{"UnshownStay", {u"a", u"x", u"b", u"", u"c"}, {u"c", u"a", u"b"},
                    {u"c", u"x", u"a", u"", u"b"}},
        // Shown files that were never queued (refused by the link) are not
        // handed over; nor are queued files missing from a shorter list moved.
        ArrangeCase{"ShownOnly", {u"a", u"b"}, {u"z", u"b", u"a"}, {u"b", u"a"}},
        ArrangeCase{"NothingShown", {u"a", u"b"}, {}, {u"a", u"b"}},
        // A name queued twice (a later picture took it over) is matched
        // as often as the list shows it.
        ArrangeCase{"Twice", {u"a", u"b", u"a"}, {u"b", u"a"}, {u"b", u"a", u"a"}},
        ArrangeCase{"TwiceShownTwice", {u"a", u"b", u"a"}, {u"a", u"a", u"b"},
                    {u"a", u"a", u"b"}}),
    [](const ::testing::TestParamInfo<ArrangeCase>& info) { return info.param.name; });
