// The pages of a session as the user arranges them in the thumbnail list:
// moved with the keys, the menu or a drag, deleted and taken back, and what
// the data source receives at the end. Deleted pictures wait aside in the
// work folder until the session ends.
#include "CaptureWindowHarness.h"
#include "platform/headless/HeadlessListView.h"
#include "settings/SettingsFile.h"

namespace {

using Transcript = std::vector<std::string>;

const char kOneCamera[] = "[Device]\nName=Desk\nDpi=300\nDocuments=1\nFormat=MJPG\nSize=640x480\n";

headless::HeadlessListView& Thumbnails(CaptureWindowHarness& h) {
  return *static_cast<headless::HeadlessListView*>(h.Window().ListViewControl(IDC_THUMBNAILS));
}

void CaptureAt(CaptureWindowHarness& h, uint32_t tick) {
  h.host.os.tickCount = tick;
  ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
}

bool Exists(CaptureWindowHarness& h, const std::string& path) {
  return h.host.os.FileExists(h.host.os.AnsiToWide(path));
}

std::vector<std::u16string> ItemTexts(CaptureWindowHarness& h) {
  std::vector<std::u16string> texts;
  for (const auto& item : Thumbnails(h).items) texts.push_back(item.text);
  return texts;
}

// How the user puts the third picture first.
enum class Way { Keys, Menu, Drag };

void MoveThirdToTheFront(CaptureWindowHarness& h, Way way) {
  headless::HeadlessListView& list = Thumbnails(h);
  switch (way) {
    case Way::Keys:
      list.UserSelectOnly(2);
      EXPECT_TRUE(list.UserPressKey(platform::kKeyLeft, true));
      EXPECT_TRUE(list.UserPressKey(platform::kKeyLeft, true));
      break;
    case Way::Menu:
      list.menuChooser = [](const auto&) { return CImageListCtrl::kMoveEarlierCommand; };
      list.UserSelectOnly(2);
      list.UserRightClick(2);
      h.host.ui.RunPostedTasks();
      list.UserRightClick(1);
      h.host.ui.RunPostedTasks();
      list.menuChooser = nullptr;
      break;
    case Way::Drag:
      EXPECT_TRUE(list.UserDrag(2, 0));
      break;
  }
}

class PageOrder : public ::testing::TestWithParam<Way> {};

}  // namespace

TEST_P(PageOrder, TheBatchHandsThePagesOverAsTheListShowsThemAfterAnUndoneDelete) {
  CaptureWindowHarness h;
  h.WriteProgramFile("Kelpra.ini", kOneCamera);
  settings::SessionSettings uncropped;
  uncropped.cutType = 0;  // whole frames, of a size known beforehand
  h.SaveSettings(uncropped);
  h.Then([&] {
    CaptureAt(h, 10);
    CaptureAt(h, 20);
    CaptureAt(h, 30);
  });
  h.Then([&] {
    ASSERT_EQ(ItemTexts(h), (std::vector<std::u16string>{u"1_10", u"1_20", u"1_30"}));
    MoveThirdToTheFront(h, GetParam());
    ASSERT_EQ(ItemTexts(h), (std::vector<std::u16string>{u"1_30", u"1_10", u"1_20"}));

    // The second picture, now last, deleted with the Delete key: its file
    // leaves its name and waits in the work folder.
    Thumbnails(h).UserSelectOnly(2);
    EXPECT_TRUE(Thumbnails(h).UserPressKey(platform::kKeyDelete));
    EXPECT_FALSE(Exists(h, h.WorkFile("1_20.bmp")));
    EXPECT_TRUE(h.host.os.IsFolder(h.WorkFile("Deleted")));
    EXPECT_TRUE(Exists(h, h.WorkFile("Deleted\\1_1_20.bmp")));
    EXPECT_TRUE(h.Window().IsEnabled(IDC_EXIT));

    EXPECT_TRUE(Thumbnails(h).UserPressKey(platform::kKeyZ, true));
    EXPECT_EQ(ItemTexts(h), (std::vector<std::u16string>{u"1_30", u"1_10", u"1_20"}));
    EXPECT_TRUE(Exists(h, h.WorkFile("1_20.bmp")));
    EXPECT_TRUE(h.dataSource.Transcript().empty());
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
    EXPECT_EQ(h.dataSource.Transcript(),
              (Transcript{"207 BEGIN", "209", "208 " + h.WorkFile("1_30.bmp"), "209",
                          "208 " + h.WorkFile("1_10.bmp"), "209", "208 " + h.WorkFile("1_20.bmp"),
                          "207 END"}));
    for (const auto& record : h.dataSource.Received()) {
      if (record.code != 208) continue;
      EXPECT_TRUE(record.fileExisted);
      const auto size = h.host.imaging.ReadImageSize(record.text);
      ASSERT_TRUE(size);
      EXPECT_EQ(size->width, 640u);
      EXPECT_EQ(size->height, 480u);
    }
    EXPECT_FALSE(h.host.os.IsFolder(h.WorkFile("Deleted")));
  });
  h.Then([&] { h.dataSource.SendCode(212); });
  h.Run();
}

INSTANTIATE_TEST_SUITE_P(Ways, PageOrder, ::testing::Values(Way::Keys, Way::Menu, Way::Drag),
                         [](const ::testing::TestParamInfo<Way>& info) {
                           return info.param == Way::Keys   ? std::string("Keys")
                                  : info.param == Way::Menu ? std::string("Menu")
                                                            : std::string("Drag");
                         });

TEST(PageList, ExitDeletesWhatIsStillAsideAndLeavesItOutOfTheBatch) {
  CaptureWindowHarness h;
  h.Then([&] {
    CaptureAt(h, 10);
    CaptureAt(h, 20);
  });
  h.Then([&] {
    Thumbnails(h).UserSelectOnly(0);
    EXPECT_TRUE(Thumbnails(h).UserPressKey(platform::kKeyDelete));
    ASSERT_TRUE(Exists(h, h.WorkFile("Deleted\\1_1_10.bmp")));
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
    EXPECT_EQ(h.dataSource.Transcript(),
              (Transcript{"207 BEGIN", "209", "208 " + h.WorkFile("1_20.bmp"), "207 END"}));
    EXPECT_FALSE(Exists(h, h.WorkFile("Deleted\\1_1_10.bmp")));
    EXPECT_FALSE(h.host.os.IsFolder(h.WorkFile("Deleted")));
    EXPECT_TRUE(Exists(h, h.WorkFile("1_20.bmp")));
  });
  h.Then([&] { h.dataSource.SendCode(212); });
  h.Run();
}

TEST(PageList, ClosingTheWindowWithoutExitDeletesWhatIsAside) {
  CaptureWindowHarness h;
  h.Then([&] { CaptureAt(h, 10); });
  h.Then([&] {
    Thumbnails(h).UserSelectOnly(0);
    EXPECT_TRUE(Thumbnails(h).UserPressKey(platform::kKeyDelete));
    EXPECT_FALSE(h.Window().IsEnabled(IDC_EXIT));
    h.dataSource.SendCode(212);
  });
  h.Run();
  EXPECT_FALSE(Exists(h, h.WorkFile("Deleted\\1_1_10.bmp")));
  EXPECT_FALSE(h.host.os.IsFolder(h.WorkFile("Deleted")));
  EXPECT_EQ(h.dataSource.Transcript(), (Transcript{"207 END", "212"}));
}

TEST(PageList, ANewPictureDoesNotTakeTheNameOfOneThatCanComeBack) {
  CaptureWindowHarness h;
  h.Then([&] { CaptureAt(h, 10); });
  h.Then([&] {
    Thumbnails(h).UserSelectOnly(0);
    EXPECT_TRUE(Thumbnails(h).UserPressKey(platform::kKeyDelete));
    CaptureAt(h, 10);  // the same tick: its first name is free on disk
  });
  h.Then([&] {
    EXPECT_EQ(ItemTexts(h), std::vector<std::u16string>{u"1_11"});
    EXPECT_TRUE(Thumbnails(h).UserPressKey(platform::kKeyZ, true));
    EXPECT_EQ(ItemTexts(h), (std::vector<std::u16string>{u"1_10", u"1_11"}));
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
    EXPECT_EQ(h.dataSource.Transcript(),
              (Transcript{"207 BEGIN", "209", "208 " + h.WorkFile("1_10.bmp"), "209",
                          "208 " + h.WorkFile("1_11.bmp"), "207 END"}));
  });
  h.Then([&] { h.dataSource.SendCode(212); });
  h.Run();
}

TEST(PageList, OneByOneOffersNoMovesAndAPictureBroughtBackIsNotHandedOverAgain) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.ShowUIUpdataOneByOne = 1;
  h.SaveSettings(saved);
  h.Then([&] {
    CaptureAt(h, 10);
    CaptureAt(h, 20);
    CaptureAt(h, 30);
  });
  h.Then([&] {
    const Transcript handed{"209", "208 " + h.WorkFile("1_10.bmp"), "209",
                            "208 " + h.WorkFile("1_20.bmp"), "209",
                            "208 " + h.WorkFile("1_30.bmp")};
    ASSERT_EQ(h.dataSource.Transcript(), handed);
    headless::HeadlessListView& list = Thumbnails(h);
    list.UserSelectOnly(1);
    EXPECT_TRUE(list.UserPressKey(platform::kKeyLeft, true));
    EXPECT_TRUE(list.UserPressKey(platform::kKeyRight, true));
    EXPECT_FALSE(list.UserDrag(1, 0));
    list.UserRightClick(1);
    const auto& menu = list.menusShown.back();
    EXPECT_FALSE(menu.Entry(CImageListCtrl::kMoveEarlierCommand)->enabled);
    EXPECT_FALSE(menu.Entry(CImageListCtrl::kMoveLaterCommand)->enabled);
    EXPECT_EQ(ItemTexts(h), (std::vector<std::u16string>{u"1_10", u"1_20", u"1_30"}));

    // Delete and undo work as in a batch, and send nothing.
    EXPECT_TRUE(list.UserPressKey(platform::kKeyDelete));
    EXPECT_FALSE(Exists(h, h.WorkFile("1_20.bmp")));
    EXPECT_TRUE(list.UserPressKey(platform::kKeyZ, true));
    EXPECT_EQ(ItemTexts(h), (std::vector<std::u16string>{u"1_10", u"1_20", u"1_30"}));
    EXPECT_TRUE(Exists(h, h.WorkFile("1_20.bmp")));
    list.UserSelectOnly(0);
    EXPECT_TRUE(list.UserPressKey(platform::kKeyDelete));
    EXPECT_EQ(h.dataSource.Transcript(), handed);
    ASSERT_TRUE(h.Window().UserClick(IDC_EXIT));
  });
  h.Run();
  Transcript expected{"209", "208 " + h.WorkFile("1_10.bmp"), "209",
                      "208 " + h.WorkFile("1_20.bmp"), "209", "208 " + h.WorkFile("1_30.bmp"),
                      "207 END", "212", "207 END", "212"};
  EXPECT_EQ(h.dataSource.Transcript(), expected);
  EXPECT_FALSE(h.host.os.IsFolder(h.WorkFile("Deleted")));
}
