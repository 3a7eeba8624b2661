// Finishing a session with the Exit button, and the pages the data source
// receives then: in batch as the user arranged them in the thumbnail list
// (moved, deleted and taken back), or one by one as they were captured.
// Deleted pictures wait aside in the work folder until the session ends.
#include "SessionSteps.h"

using namespace steps;

namespace {

using PageList = WindowTest;

// The batch of these work files, as the data source hears it.
Transcript Batch(CaptureWindowHarness& h, std::initializer_list<const char*> names) {
  Transcript batch{"207 BEGIN"};
  for (const char* name : names) {
    batch.push_back("209");
    batch.push_back("208 " + h.WorkFile(name));
  }
  batch.push_back("207 END");
  return batch;
}

}  // namespace

// A new picture does not take the name of one that can come back; what is
// aside at Exit is deleted then.
TEST_F(PageList, ExitHidesTheWindowsAndHandsOverOnceInTheListsOrderTheFilesThatStillExist) {
  settings::SessionSettings saved;
  saved.ShowUIUpdataOneByOne = 2;  // anything but 1 means batch
  h.SaveSettings(saved);
  h.Then([&] {
    for (uint32_t tick : {10u, 20u, 30u, 40u}) CaptureAt(h, tick);
  });
  h.Then([&] {
    ASSERT_EQ(ThumbnailTexts(h), (Texts{u"1_10", u"1_20", u"1_30", u"1_40"}));
    EXPECT_TRUE(Thumbnails(h).UserDrag(2, 0));
    ASSERT_EQ(ThumbnailTexts(h), (Texts{u"1_30", u"1_10", u"1_20", u"1_40"}));
    // The second picture, now third, deleted: its file leaves its name and
    // waits in the work folder.
    DeleteOnly(h, 2);
    EXPECT_FALSE(WorkFileExists(h, "1_20.bmp"));
    EXPECT_TRUE(WorkFileExists(h, "Deleted\\1_1_20.bmp"));
    CaptureAt(h, 20);  // the same tick: its first name is free on disk
  });
  h.RunWith([&] {
    EXPECT_EQ(ThumbnailTexts(h), (Texts{u"1_30", u"1_10", u"1_40", u"1_21"}));
    EXPECT_TRUE(Thumbnails(h).UserPressKey(platform::kKeyZ, true));
    EXPECT_EQ(ThumbnailTexts(h), (Texts{u"1_30", u"1_10", u"1_20", u"1_40", u"1_21"}));
    EXPECT_TRUE(WorkFileExists(h, "1_20.bmp"));
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    ASSERT_TRUE(h.host.os.RemoveFile(h.WorkFile("1_40.bmp")));
    DeleteOnly(h, 4);
    ASSERT_TRUE(h.host.os.IsFolder(h.WorkFile("Deleted")));
    EXPECT_TRUE(h.dataSource.Transcript().empty());

    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
    EXPECT_FALSE(h.Window().IsVisible());
    EXPECT_FALSE(h.dialog->Devices().MainPreviewHost()->IsVisible());
    EXPECT_FALSE(h.dialog->Merges().Preview()->IsVisible());
    EXPECT_EQ(h.dataSource.Transcript(), Batch(h, {"1_30.bmp", "1_10.bmp", "1_20.bmp"}));
    EXPECT_FALSE(h.host.os.IsFolder(h.WorkFile("Deleted")));
    EXPECT_FALSE(h.Window().IsModalEnded());  // the data source closes the window
    h.dialog->RunHandler(IDC_EXIT);
    EXPECT_EQ(h.dataSource.Transcript().size(), 8u);
    h.dataSource.SendCode(211);
  });
  const Transcript all = h.dataSource.Transcript();
  ASSERT_EQ(all.size(), 11u);
  EXPECT_EQ(Transcript(all.begin() + 8, all.end()), (Transcript{"212", "207 END", "212"}));
}

// A press writes a bitmap whatever the format list says: the list names the
// secondary camera's file (its button writes the list's PNG in the scripted
// full session). A second press under the same tick takes the next one.
TEST_F(PageList, OneByOneOffersNoMovesAndAPictureBroughtBackIsNotHandedOverAgain) {
  settings::SessionSettings saved;
  saved.ShowUIUpdataOneByOne = 1;
  saved.fileType = 1;  // JPEG
  h.SaveSettings(saved);
  Transcript handed;
  h.Then([&] {
    ASSERT_EQ(h.Window().Selection(IDC_FILE_FORMAT), 1);
    for (const auto& [tick, name] :
         {std::pair{10u, "1_10.bmp"}, {20u, "1_20.bmp"}, {20u, "1_21.bmp"}}) {
      CaptureAt(h, tick);
      // Each file arrives before the next capture starts.
      handed.push_back("209");
      handed.push_back("208 " + h.WorkFile(name));
      EXPECT_EQ(h.dataSource.Transcript(), handed);
      EXPECT_EQ(h.dialog->Pipeline().CurrentFile(), WorkPath(h, name));
    }
  });
  h.Then([&] {
    headless::HeadlessListView& list = Thumbnails(h);
    EXPECT_FALSE(list.itemsMovable);
    // Delete and undo work as in a batch, and send nothing.
    DeleteOnly(h, 1);
    EXPECT_FALSE(WorkFileExists(h, "1_20.bmp"));
    EXPECT_TRUE(list.UserPressKey(platform::kKeyZ, true));
    EXPECT_EQ(ThumbnailTexts(h), (Texts{u"1_10", u"1_20", u"1_21"}));
    DeleteOnly(h, 0);
    EXPECT_EQ(h.dataSource.Transcript(), handed);
    // Exit ends the link, and the window closes.
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
  });
  EXPECT_EQ(h.Run(), platform::kIdCancel);
  for (const char* record : {"207 END", "212", "207 END", "212"}) handed.push_back(record);
  EXPECT_EQ(h.dataSource.Transcript(), handed);
  EXPECT_FALSE(h.host.os.IsFolder(h.WorkFile("Deleted")));
}
