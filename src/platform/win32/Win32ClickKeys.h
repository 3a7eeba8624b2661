// The click keys of the UI thread's windows (Window::SetClickKey): a
// message hook of the thread sees each key before the dialog manager and
// the focused control do, so it works in modal loops too.
#pragma once

#include "platform/win32/WindowsHeaders.h"

namespace win32 {

// Installs the hook on the calling thread, the UI thread, for as long as it
// lives.
class ClickKeyHook {
 public:
  ClickKeyHook();
  ~ClickKeyHook();
  ClickKeyHook(const ClickKeyHook&) = delete;
  ClickKeyHook& operator=(const ClickKeyHook&) = delete;

 private:
  HHOOK hook_ = nullptr;
};

// `key` (a virtual-key code) clicks control `controlId` of `window` while the
// focus is inside it; 0 removes the key.
void SetClickKey(HWND window, int key, int controlId);
void ForgetClickKeys(HWND window);

}  // namespace win32
