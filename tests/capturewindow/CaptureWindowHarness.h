// The capture window on the headless platform, as a user meets it: a
// program folder with the reference camera library and the language files,
// the data source's twin, and a session run through queued steps.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/KelpraHooks.h"
#include "capturewindow/CTessivueDlg.h"
#include "localisation/LanguageList.h"
#include "platform/headless/HeadlessPlatform.h"
#include "resource.h"
#include "settings/SettingsFile.h"
#include "support/CheckedPlatform.h"
#include "support/DataSourceTwin.h"
#include "support/ProgramFolder.h"

class CaptureWindowHarness {
 public:
  using Options = testing_support::ProgramFolder::Options;

  explicit CaptureWindowHarness(Options options = {}) : program(host.os, options) {}

  // Files of the program folder.
  void WriteProgramFile(const std::string& name, const std::string& content) {
    program.WriteFile(name, content);
  }
  std::filesystem::path ProgramFile(const std::string& name) const { return program.File(name); }
  std::string SettingsFileText() const { return program.ReadFile("LastSetting.xml"); }
  // Leaves `record` in the program folder's settings file, as an earlier
  // session would have.
  void SaveSettings(const settings::SessionSettings& record) {
    ASSERT_TRUE(settings::SaveSessionSettingsFile(host.os, ProgramFile("LastSetting.xml").string(),
                                                  record));
  }
  // A file in the work folder, as the program names it.
  std::string WorkFile(const std::string& name) const {
    return *dialog->Pipeline().WorkFolder() + "\\" + name;
  }

  // Queues what the user or the data source does next, while the window runs.
  void Then(std::function<void()> step) { host.ui.AddStep(std::move(step)); }
  // Runs the window until it ends; steps run while its modal loop is idle.
  int Run() {
    dialog = std::make_unique<CTessivueDlg>(host.platform);
    return dialog->DoModal();
  }
  // Queues a step given the capture window.
  void Then(std::function<void(headless::HeadlessWindow&)> step) {
    Then([this, step = std::move(step)] { step(Window()); });
  }
  // Queues a last step and runs the window.
  template <typename Step>
  int RunWith(Step step) {
    Then(std::move(step));
    return Run();
  }

  headless::HeadlessWindow& Window() {
    headless::HeadlessWindow* window = host.ui.LastModal(IDD_CAPTURE_WINDOW);
    EXPECT_NE(window, nullptr);
    return *window;
  }
  // The reference library's test hooks, on the library the window holds.
  testing_support::KelpraHooks Hooks() { return testing_support::KelpraHooks(dialog->Camera()); }
  // The call log's lines, each without its arguments when `namesOnly`.
  std::vector<std::string> CallLines(bool namesOnly = false) {
    std::vector<std::string> lines;
    std::istringstream log(Hooks().CallLog());
    for (std::string line; std::getline(log, line);) {
      lines.push_back(namesOnly ? line.substr(0, line.find('(')) : line);
    }
    return lines;
  }
  // A click on a control the window keeps hidden, as another program sends
  // it (BM_CLICK): a check box changes its check first, then the window
  // handles the click.
  void ClickHidden(int id) {
    headless::HeadlessWindow& window = Window();
    const headless::HeadlessControl* control = window.Find(id);
    ASSERT_NE(control, nullptr);
    if (control->kind == headless::ControlKind::CHECK) {
      window.SetChecked(id, !window.IsChecked(id));
    }
    window.Handler().OnCommand(id, platform::kNotifyClicked);
  }
  // Forgets what the camera library was asked so far.
  void ClearCallLog() { ASSERT_TRUE(Hooks().ClearCallLog()); }
  // The position of a language in the language box.
  int LanguageIndex(const std::u16string& code) const {
    const localisation::LanguageList& languages = dialog->WindowLanguage().Languages();
    for (size_t i = 0; i < languages.size(); ++i) {
      if (languages[i].code == code) return static_cast<int>(i);
    }
    return -1;
  }

  testing_support::CheckedPlatform host;
  testing_support::ProgramFolder program;
  testing_support::DataSourceTwin dataSource{host.desktop};
  std::unique_ptr<CTessivueDlg> dialog;
};
