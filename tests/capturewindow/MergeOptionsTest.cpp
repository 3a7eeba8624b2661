// The secondary-camera merge options: the check box 1073, the options
// button 1017 and the dialog (template 131), which edits a copy of
// MergeType and MergePosition.
#include "CaptureWindowHarness.h"
#include "settings/SettingsFile.h"

namespace {

const int kOutsideRadios[] = {1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066};
const int kInsideRadios[] = {1050, 1053, 1049, 1057, 1056};

void SaveMergeOptions(CaptureWindowHarness& h, int type, int position) {
  settings::SessionSettings saved;
  saved.Webcam.MergeType = type;
  saved.Webcam.MergePosition = position;
  ASSERT_TRUE(settings::SaveSessionSettingsFile(
      h.host.os, h.ProgramFile("LastSetting.xml").string(), saved));
}

// The options dialog while it runs.
headless::HeadlessWindow& OptionsDialog(CaptureWindowHarness& h) {
  headless::HeadlessWindow* dialog = h.host.ui.ActiveModal();
  EXPECT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->TemplateId(), IDD_MERGE_OPTIONS);
  return *dialog;
}

// The radios of the dialog that are checked.
std::vector<int> CheckedRadios(headless::HeadlessWindow& dialog) {
  std::vector<int> checked;
  for (int id : kOutsideRadios) {
    if (dialog.IsChecked(id)) checked.push_back(id);
  }
  for (int id : kInsideRadios) {
    if (dialog.IsChecked(id)) checked.push_back(id);
  }
  return checked;
}

}  // namespace

TEST(MergeOptions, FreshSettingsOpenInInsideModeAtTheTopRight) {
  CaptureWindowHarness h;
  h.Then([&] { h.ClickHidden(IDC_MERGE_SETTINGS); });
  h.Then([&] {
    auto& d = OptionsDialog(h);
    EXPECT_EQ(d.Caption(), u"Webcam Merge Setting");
    EXPECT_EQ(d.Text(IDC_OUTSIDE_MODE), u"Outside");
    EXPECT_EQ(d.Text(IDC_INSIDE_MODE), u"Inside");
    EXPECT_EQ(d.Text(IDOK), u"Ok");
    EXPECT_EQ(d.Text(IDCANCEL), u"Cancel");
    EXPECT_TRUE(d.IsChecked(IDC_INSIDE_MODE));
    EXPECT_FALSE(d.IsChecked(IDC_OUTSIDE_MODE));
    EXPECT_EQ(CheckedRadios(d), std::vector<int>{1049});
    for (int id : kOutsideRadios) EXPECT_FALSE(d.IsEnabled(id)) << id;
    for (int id : kInsideRadios) EXPECT_TRUE(d.IsEnabled(id)) << id;
    ASSERT_TRUE(d.UserClick(IDOK));
  });
  h.Then([&] {
    EXPECT_EQ(h.dialog->Merges().MergeType(), 0);
    EXPECT_EQ(h.dialog->Merges().MergePosition(), 2);
  });
  h.Run();
  EXPECT_EQ(h.host.ui.modalTemplatesRun.back(), IDD_MERGE_OPTIONS);
}

TEST(MergeOptions, TheOutsideButtonAlwaysStartsAtTheTopLeftEnd) {
  CaptureWindowHarness h;
  SaveMergeOptions(h, 5, 1);
  h.Then([&] { h.ClickHidden(IDC_MERGE_SETTINGS); });
  h.Then([&] {
    auto& d = OptionsDialog(h);
    EXPECT_TRUE(d.IsChecked(IDC_OUTSIDE_MODE));
    EXPECT_EQ(CheckedRadios(d), std::vector<int>{1063});
    ASSERT_TRUE(d.UserClick(IDC_INSIDE_MODE));
    EXPECT_EQ(CheckedRadios(d), std::vector<int>{1049});
    EXPECT_FALSE(d.IsEnabled(1063));
    ASSERT_TRUE(d.UserClick(IDC_OUTSIDE_MODE));
    EXPECT_TRUE(d.IsChecked(IDC_OUTSIDE_MODE));
    EXPECT_FALSE(d.IsChecked(IDC_INSIDE_MODE));
    EXPECT_EQ(CheckedRadios(d), std::vector<int>{1060});
    ASSERT_TRUE(d.UserClick(IDOK));
  });
  h.Then([&] {
    EXPECT_EQ(h.dialog->Merges().MergeType(), 2);
    // Switching to inside reset the position to the top right.
    EXPECT_EQ(h.dialog->Merges().MergePosition(), 2);
  });
  h.Run();
}

TEST(MergeOptions, AnUnknownSavedTypeOpensOutsideWithNothingCheckedAndOkKeepsIt) {
  CaptureWindowHarness h;
  SaveMergeOptions(h, 9, 4);
  h.Then([&] { h.ClickHidden(IDC_MERGE_SETTINGS); });
  h.Then([&] {
    auto& d = OptionsDialog(h);
    EXPECT_TRUE(d.IsChecked(IDC_OUTSIDE_MODE));
    EXPECT_TRUE(CheckedRadios(d).empty());
    ASSERT_TRUE(d.UserClick(IDOK));
  });
  h.Then([&] {
    EXPECT_EQ(h.dialog->Merges().MergeType(), 9);
    EXPECT_EQ(h.dialog->Merges().MergePosition(), 4);
    ASSERT_TRUE(h.Window().UserClick(IDC_SAVE));
    const std::string file = h.SettingsFileText();
    EXPECT_NE(file.find("<MergeType>9</MergeType>"), std::string::npos);
    EXPECT_NE(file.find("<MergePosition>4</MergePosition>"), std::string::npos);
  });
  h.Run();
}

TEST(MergeOptions, CancelAndEscapeChangeNothing) {
  CaptureWindowHarness h;
  SaveMergeOptions(h, 3, 1);
  h.Then([&] { h.ClickHidden(IDC_MERGE_SETTINGS); });
  h.Then([&] {
    auto& d = OptionsDialog(h);
    ASSERT_TRUE(d.UserClick(IDC_INSIDE_MODE));
    ASSERT_TRUE(d.UserClick(1057));
    ASSERT_TRUE(d.UserClick(IDCANCEL));
    EXPECT_TRUE(d.IsModalEnded());
  });
  h.Then([&] {
    EXPECT_EQ(h.host.ui.ActiveModal(), &h.Window());
    h.ClickHidden(IDC_MERGE_SETTINGS);
  });
  h.Then([&] {
    auto& d = OptionsDialog(h);
    EXPECT_EQ(CheckedRadios(d), std::vector<int>{1061});
    ASSERT_TRUE(d.UserClick(1065));
    d.UserClose();
    EXPECT_TRUE(d.IsModalEnded());
  });
  h.Then([&] {
    EXPECT_EQ(h.dialog->Merges().MergeType(), 3);
    EXPECT_EQ(h.dialog->Merges().MergePosition(), 1);
  });
  h.Run();
}

TEST(MergeOptions, EachRadioChoosesItsPlace) {
  CaptureWindowHarness h;
  std::vector<std::pair<int, int>> chosen;
  // Outside radios in order choose MergeType 1 to 8.
  for (int id : kOutsideRadios) {
    h.Then([&] { h.ClickHidden(IDC_MERGE_SETTINGS); });
    h.Then([&, id] {
      auto& d = OptionsDialog(h);
      if (!d.IsChecked(IDC_OUTSIDE_MODE)) {
        ASSERT_TRUE(d.UserClick(IDC_OUTSIDE_MODE));
      }
      ASSERT_TRUE(d.UserClick(id));
      EXPECT_EQ(CheckedRadios(d), std::vector<int>{id});
      ASSERT_TRUE(d.UserClick(IDOK));
    });
    h.Then([&] {
      chosen.emplace_back(h.dialog->Merges().MergeType(), h.dialog->Merges().MergePosition());
    });
  }
  // Inside radios choose MergePosition 0 (centre), 1 (top left), 2 (top
  // right), 3 (bottom right), 4 (bottom left).
  for (int id : kInsideRadios) {
    h.Then([&] { h.ClickHidden(IDC_MERGE_SETTINGS); });
    h.Then([&, id] {
      auto& d = OptionsDialog(h);
      if (!d.IsChecked(IDC_INSIDE_MODE)) {
        ASSERT_TRUE(d.UserClick(IDC_INSIDE_MODE));
      }
      ASSERT_TRUE(d.UserClick(id));
      ASSERT_TRUE(d.UserClick(IDOK));
    });
    h.Then([&] {
      chosen.emplace_back(h.dialog->Merges().MergeType(), h.dialog->Merges().MergePosition());
    });
  }
  h.Run();
  EXPECT_EQ(chosen, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2},
                                                      {6, 2}, {7, 2}, {8, 2}, {0, 0}, {0, 1},
                                                      {0, 2}, {0, 3}, {0, 4}}));
}
