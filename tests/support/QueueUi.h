// A Ui that only queues posted tasks; the test runs them as the UI thread
// would. Posting is safe from any thread.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/Ui.h"

namespace testing_support {

class QueueUi : public platform::Ui {
 public:
  void InitCommonControls() override {}
  int RunModal(int, platform::DialogHandler&, platform::Window*) override { return 0; }
  std::unique_ptr<platform::Window> CreateModeless(int, platform::DialogHandler&,
                                                   platform::Window*) override {
    return nullptr;
  }
  std::u16string LoadString(int) override { return {}; }
  void ShowMessageBox(platform::Window*, const std::u16string&) override {}
  void BeginBusy() override {}
  void EndBusy() override {}

  void Post(std::function<void()> task) override {
    std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(task));
  }

  size_t Pending() {
    std::lock_guard<std::mutex> lock(mutex_);
    return tasks_.size();
  }

  // Runs the queued tasks on the calling thread, including tasks they post;
  // returns how many ran.
  size_t RunPending() {
    size_t ran = 0;
    for (;;) {
      std::function<void()> task;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (tasks_.empty()) return ran;
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      task();
      ++ran;
    }
  }

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace testing_support
