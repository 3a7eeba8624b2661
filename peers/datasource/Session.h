// What the reference data source's steps share: the session with Prismel
// (its process, the records received, the window the steps act on) and the
// message pump every waiting step runs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RecordLog.h"
#include "TextFit.h"

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 60000;
const wchar_t kReceivingWindow[] = L"TWAINDSUIWINDOWS";
const wchar_t kCaptureWindow[] = L"Prismel";

struct State {
  std::unique_ptr<RecordLog> log;
  HWND window = nullptr;
  HANDLE process = nullptr;
  DWORD processId = 0;
  int batchAnswer = 212;
  std::wstring copiesFolder;
  bool inBatch = false;
  // Every text message record received, and which a waitrecord step has
  // already taken.
  struct Received {
    int32_t code;
    std::u16string text;
    bool taken;
  };
  std::vector<Received> received;
  // The window the control steps act on.
  std::wstring target = kCaptureWindow;
  // The fonts the texts of Prismel's windows are measured in.
  std::unique_ptr<TemplateFonts> fonts;
};

extern State g_state;

inline std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

inline std::u16string Wide16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

inline HWND ReceivingWindow() { return FindWindowW(nullptr, kReceivingWindow); }
inline HWND TargetWindow() { return FindWindowW(nullptr, g_state.target.c_str()); }
inline bool ProcessExited() { return WaitForSingleObject(g_state.process, 0) == WAIT_OBJECT_0; }

// Handles this thread's messages until `done` holds or the time is up.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(1, &g_state.process, FALSE, 20, QS_ALLINPUT);
  }
}
