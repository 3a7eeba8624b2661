// Which control shows which text: every caption, list item and description
// of the capture window and of its dialogs, as a user sees them in English
// at start-up and after switching to Chinese. The texts are those of the
// shipped language files, written out in golden/ControlTexts.tsv; switching
// between languages is the capture window's UiTexts tests'.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "capturewindow/CTessivueDlg.h"
#include "resource.h"
#include "support/CheckedPlatform.h"
#include "support/DataSourceTwin.h"
#include "support/ProgramFolder.h"

namespace {

// A row of golden/ControlTexts.tsv, one control a line, tab-separated: the
// template, the control (0: the window's caption), what is read ("text":
// the caption or the list items joined by '|'; "tip"; "name": what
// assistive technology reads), the English text, and the Chinese text when
// it differs from the English one.
struct Shown {
  int templateId, id;  // id 0: the window's own caption
  std::string seen;    // "text", "tip" or "name"
  std::u16string english, chinese;
};

std::vector<Shown> ReadTable(const platform::Os& os) {
  std::ifstream file(PRISMEL_CONTROL_TEXTS, std::ios::binary);
  std::vector<Shown> rows;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, '\t');) cells.push_back(cell);
    if (cells.size() < 4) {
      ADD_FAILURE() << "a row without an English text: " << line;
      continue;
    }
    const std::u16string english = os.Utf8ToWide(cells[3]);
    rows.push_back({std::atoi(cells[0].c_str()), std::atoi(cells[1].c_str()), cells[2], english,
                    cells.size() > 4 ? os.Utf8ToWide(cells[4]) : english});
  }
  return rows;
}

std::u16string WhatIsSeen(const headless::HeadlessWindow& window, const Shown& shown) {
  if (shown.seen == "tip") return window.ToolTip(shown.id);
  if (shown.seen == "name") return window.AccessibleName(shown.id);
  if (shown.id == 0) return window.Caption();
  std::u16string items = window.ItemCount(shown.id) == 0 ? window.Text(shown.id) : u"";
  for (int i = 0; i < window.ItemCount(shown.id); ++i) {
    items += (i > 0 ? u"|" : u"") + window.ItemText(shown.id, i);
  }
  return items;
}

}  // namespace

TEST(ControlTexts, EveryControlShowsItsOwnTextInEachLanguage) {
  testing_support::CheckedPlatform host;
  testing_support::ProgramFolder program(host.os);
  program.WriteFile("Kelpra.ini", "[Library]\nTickMs=0\n");  // auto capture stays still
  testing_support::DataSourceTwin dataSource(host.desktop);
  CTessivueDlg dialog(host.platform);
  const std::vector<Shown> table = ReadTable(host.os);
  ASSERT_EQ(table.size(), 83u);
  int language = 0;  // English, Chinese
  std::vector<int> seen;
  const auto check = [&](const headless::HeadlessWindow& window) {
    seen.push_back(window.TemplateId());
    for (const Shown& shown : table) {
      if (shown.templateId != window.TemplateId()) continue;
      EXPECT_EQ(WhatIsSeen(window, shown), language == 1 ? shown.chinese : shown.english)
          << "language " << language << ", window " << window.TemplateId() << ", control "
          << shown.id << " " << shown.seen;
    }
  };
  // Each dialog is read as it opens, then closed.
  host.ui.onModalOpened = [&](headless::HeadlessWindow& window) {
    check(window);
    if (window.TemplateId() != IDD_CAPTURE_WINDOW) window.UserClose();
  };
  const char16_t* const start[] = {u"Start", u"连拍"};
  for (int next = 1; next <= 2; ++next) {
    host.ui.AddStep([&, next] {
      headless::HeadlessWindow& window = *host.ui.LastModal(IDD_CAPTURE_WINDOW);
      window.Handler().OnCommand(IDC_WATERMARK_SETTINGS, platform::kNotifyClicked);
      window.Handler().OnCommand(IDC_MERGE_SETTINGS, platform::kNotifyClicked);
      window.UserSysCommand(IDM_ABOUTBOX);
      ASSERT_TRUE(window.UserSelect(IDC_AUTO_CAPTURE_MODE, 2));
      EXPECT_EQ(window.Text(IDC_CAPTURE), start[language]);
      ASSERT_TRUE(window.UserClick(IDC_CAPTURE));
      ASSERT_TRUE(window.UserSelect(IDC_AUTO_CAPTURE_MODE, 0));
      if (next == 2) return;
      language = next;
      ASSERT_TRUE(window.UserSelect(IDC_LANGUAGE, 1));  // Chinese, second in the box
      check(window);
    });
  }
  dialog.DoModal();
  EXPECT_EQ(seen, (std::vector<int>{IDD_CAPTURE_WINDOW, IDD_WATERMARK, IDD_MERGE_OPTIONS,
                                    IDD_ABOUTBOX, IDD_AUTO_CAPTURE, IDD_CAPTURE_WINDOW,
                                    IDD_WATERMARK, IDD_MERGE_OPTIONS, IDD_ABOUTBOX,
                                    IDD_AUTO_CAPTURE}));
}
