// Handing captured files to the data source, one by one or as a batch, and
// the order a batch takes from the list.
#include "LinkTestFixture.h"
#include "dslink/HandOffOrder.h"
#include "platform/headless/TextConversions.h"

using Paths = std::vector<std::u16string>;

TEST_F(LinkTest, OneByOneSendsEachFileAtOnceAndOnlyPathsARecordHoldsWhole) {
  link.SetOneByOne(true);
  EXPECT_EQ(link.TransferFile(u"C:\\a.bmp"), -1);  // before Connect
  Connect();
  EXPECT_EQ(link.TransferFile(u"C:\\t\\1_5.bmp"), 0);
  const std::u16string longest = u"C:\\" + std::u16string(252, u'p') + u".bmp";
  EXPECT_EQ(link.TransferFile(longest), 0);
  EXPECT_EQ(dataSource.Transcript(), (Transcript{"209", "208 C:\\t\\1_5.bmp", "209",
                                                 "208 " + headless::Utf16ToUtf8(longest)}));
  EXPECT_EQ(link.TransferFile(longest + u"x"), -1);
  EXPECT_EQ(link.TransferFile(std::u16string(u"C:\\a\0b.bmp", 10)), -1);
  EXPECT_EQ(dataSource.Received().size(), 4u);
  EXPECT_TRUE(link.PendingFiles().empty());
  // Finishing one by one asks for the window to close. (That it ends the
  // link first is PageList's.)
  EXPECT_TRUE(link.FinishSession());
}

// What a batch hands over, in the list's order and only while the files
// exist, is PageList's subject; a batch without files opens its bracket
// and sends nothing more.
TEST_F(LinkTest, ABatchOfNoFilesSendsOnlyTheBracketsStart) {
  Connect();
  link.SendPendingFiles();
  EXPECT_EQ(dataSource.Transcript(), Transcript{"207 BEGIN"});
}

TEST(HandOffOrder, ShownFilesTakeTheirPlacesInTheQueueInTheOrderShown) {
  const struct {
    Paths queued, shown, handedOver;
  } cases[] = {
      {{u"a", u"b", u"c"}, {u"c", u"b", u"a"}, {u"c", u"b", u"a"}},
      // A file the list never showed (not a picture, an empty name) stays
      // where it was queued.
      {{u"a", u"x", u"b", u"", u"c"}, {u"c", u"a", u"b"}, {u"c", u"x", u"a", u"", u"b"}},
      // Shown files that were never queued (refused by the link) are not
      // handed over; nor are queued files missing from a shorter list moved.
      {{u"a", u"b"}, {u"z", u"b", u"a"}, {u"b", u"a"}},
      {{u"a", u"b"}, {}, {u"a", u"b"}},
      // A name queued twice (a later picture took it over) is matched as
      // often as the list shows it.
      {{u"a", u"b", u"a"}, {u"b", u"a"}, {u"b", u"a", u"a"}},
      {{u"a", u"b", u"a"}, {u"a", u"a", u"b"}, {u"a", u"a", u"b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ArrangeQueuedFiles(c.queued, c.shown), c.handedOver);
}
