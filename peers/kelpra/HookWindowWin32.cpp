// The message-only window that runs the plug and unplug hooks for another
// process, on the thread that initialised the library.
#include <windows.h>

#include <mutex>

#include "HookWindow.h"
#include "KelpraErrors.h"
#include "KelpraRemoteHooks.h"
#include "Library.h"

namespace kelpra {
namespace {

std::mutex g_windowMutex;
HWND g_window = nullptr;
UINT g_hookMessage = 0;

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

LRESULT CALLBACK HookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != 0 && message == g_hookMessage) {
    // The hooks call the device-change callback, which may rebuild the
    // caller's device session through the exports: no lock is held here.
    if (wParam == kKelpraRemotePlug) return impl::kelpraTestPlugDevice(nullptr);
    if (wParam == kKelpraRemoteUnplug) {
      return impl::kelpraTestUnplugDevice(static_cast<int32_t>(lParam));
    }
    return kErrBadArgument;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void OpenHookWindow() {
  std::lock_guard<std::mutex> lock(g_windowMutex);
  if (g_window != nullptr) return;
  g_hookMessage = RegisterWindowMessageW(kKelpraRemoteHookMessage);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = HookWindowProc;
  windowClass.hInstance = ThisModule();
  windowClass.lpszClassName = kKelpraRemoteHookClass;
  // A class left registered by an earlier start of the library is reused.
  (void)RegisterClassW(&windowClass);
  g_window = CreateWindowExW(0, kKelpraRemoteHookClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             windowClass.hInstance, nullptr);
}

void CloseHookWindow() {
  std::lock_guard<std::mutex> lock(g_windowMutex);
  if (g_window == nullptr) return;
  if (GetWindowThreadProcessId(g_window, nullptr) == GetCurrentThreadId()) {
    DestroyWindow(g_window);
    (void)UnregisterClassW(kKelpraRemoteHookClass, ThisModule());
  } else {
    PostMessageW(g_window, WM_CLOSE, 0, 0);
  }
  g_window = nullptr;
}

}  // namespace kelpra
