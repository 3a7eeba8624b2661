// Dialogs without a screen. A modal loop runs posted tasks and then the
// steps a test queued; when it has nothing left to do, the user closes the
// window, so that no test can hang in a loop.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Ui.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessWindow.h"

namespace headless {

class HeadlessUi : public platform::Ui {
 public:
  explicit HeadlessUi(HeadlessDesktop& desktop) : desktop_(desktop) {}

  void InitCommonControls() override { ++commonControlsInitialised; }
  int RunModal(int templateId, platform::DialogHandler& handler, platform::Window* owner) override;
  std::unique_ptr<platform::Window> CreateModeless(int templateId,
                                                   platform::DialogHandler& handler,
                                                   platform::Window* parent) override;
  std::u16string LoadString(int stringId) override;
  void ShowMessageBox(platform::Window* owner, const std::u16string& text) override;
  void Post(std::function<void()> task) override;
  void BeginBusy() override;
  void EndBusy() override;

  // A step the next idle modal loop runs: what the user or another process
  // does next.
  void AddStep(std::function<void()> step) { steps_.push_back(std::move(step)); }
  // The queued steps no modal loop has run yet.
  size_t StepsLeft() const { return steps_.size(); }
  // Runs the posted tasks that are waiting; returns how many ran.
  int RunPostedTasks();
  // The innermost modal window, or null.
  HeadlessWindow* ActiveModal() const;
  // The modal window opened from this template most recently, or null.
  HeadlessWindow* LastModal(int templateId) const;

  // What tests read.
  std::vector<std::u16string> messageBoxes;
  std::vector<int> modalTemplatesRun;
  int commonControlsInitialised = 0;
  // Templates whose windows cannot be created, as when resources are broken.
  std::vector<int> refusedTemplates;
  int idleCloses = 0;
  // Called when a modal dialog has been initialised, before its loop runs.
  std::function<void(HeadlessWindow&)> onModalOpened;
  // Called for each message box, after it was recorded.
  std::function<void(const std::u16string&)> onMessageBox;
  // The busy scopes open now: the wait cursor shows while this is above 0.
  int busyDepth = 0;
  // An EndBusy without its BeginBusy.
  int unmatchedBusyEnds = 0;
  // Called when the wait cursor appears (true) and when it goes (false).
  std::function<void(bool busy)> onBusyChange;

 private:
  bool RunOnePostedTask();

  HeadlessDesktop& desktop_;
  std::deque<std::function<void()>> steps_;
  std::mutex postedMutex_;
  std::deque<std::function<void()>> posted_;
  std::vector<HeadlessWindow*> modalStack_;
  std::vector<std::pair<int, HeadlessWindow*>> lastModal_;
};

}  // namespace headless
