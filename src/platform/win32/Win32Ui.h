// Dialogs, message boxes and the UI thread's task queue of the product.
#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include "platform/Ui.h"
#include "platform/win32/Win32ClickKeys.h"
#include "platform/win32/WindowsHeaders.h"

namespace win32 {

class Win32Ui : public platform::Ui {
 public:
  // Must be constructed on the UI thread: posted tasks run there.
  explicit Win32Ui(HINSTANCE instance);
  ~Win32Ui() override;

  void InitCommonControls() override;
  int RunModal(int templateId, platform::DialogHandler& handler, platform::Window* owner) override;
  std::unique_ptr<platform::Window> CreateModeless(int templateId,
                                                   platform::DialogHandler& handler,
                                                   platform::Window* parent) override;
  std::u16string LoadString(int stringId) override;
  void ShowMessageBox(platform::Window* owner, const std::u16string& text) override;
  void Post(std::function<void()> task) override;
  void BeginBusy() override;
  void EndBusy() override;

 private:
  static LRESULT CALLBACK TaskWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void RunPostedTasks();

  HINSTANCE instance_;
  HWND taskWindow_ = nullptr;
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
  ClickKeyHook clickKeys_;
};

// Whether the windows show the wait cursor now: a busy scope is open and
// no message box asks the user something.
bool ShowsWaitCursor();

}  // namespace win32
