// What the Windows tests of the window wrapper share: a dialog handler that
// records what reaches it, a window's handle, and the message loop of a
// modeless dialog.
#pragma once

#include <utility>
#include <vector>

#include "platform/Ui.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/WindowsHeaders.h"

namespace win32_test {

struct RecordingDialog : platform::DialogHandler {
  bool OnInitDialog() override { return true; }
  void OnCommand(int controlId, int notifyCode) override {
    commands.emplace_back(controlId, notifyCode);
  }
  std::vector<std::pair<int, int>> commands;
};

inline HWND Handle(platform::Window& window) {
  return static_cast<win32::Win32Window&>(window).Handle();
}

// Handles every message waiting for this thread, as a program's loop with
// modeless dialogs does.
inline void HandleWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    HWND dialog = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (dialog != nullptr && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A key pressed and released on `control` as the system queues it: the
// key-down, `repeats` more key-downs while it is held, the key-up.
inline void PressKey(HWND control, WPARAM key, int repeats = 0) {
  const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), 0)) << 16;
  PostMessageW(control, WM_KEYDOWN, key, scanCode | 1);
  for (int i = 0; i < repeats; ++i) {
    PostMessageW(control, WM_KEYDOWN, key, scanCode | 1 | (LPARAM{1} << 30));
  }
  PostMessageW(control, WM_KEYUP, key, scanCode | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
  HandleWaitingMessages();
}

}  // namespace win32_test
