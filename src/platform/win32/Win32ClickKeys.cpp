#include "platform/win32/Win32ClickKeys.h"

#include <algorithm>
#include <vector>

namespace win32 {
namespace {

struct ClickKey {
  HWND window;
  int key;
  int controlId;
};

// Only the UI thread uses these: the hook runs on it.
std::vector<ClickKey> g_clickKeys;
// The window whose click key went down, so that its release is kept from
// the control as well.
HWND g_keyDownIn = nullptr;

constexpr LPARAM kKeyWasDown = 1 << 30;

// An edit box, or the edit field of an editable list, types the key.
bool TakesTyping(HWND focus) {
  return (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0;
}

const ClickKey* ClickKeyFor(const MSG& message) {
  if (message.hwnd == nullptr) return nullptr;
  // The window the key was typed in: the capture window itself or one of
  // its controls (child windows only: the dialogs it opens are windows of
  // their own and keep the key's meaning).
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  for (const ClickKey& clickKey : g_clickKeys) {
    if (clickKey.window == root && clickKey.key == static_cast<int>(message.wParam)) {
      return &clickKey;
    }
  }
  return nullptr;
}

bool WithModifier() {
  return (GetKeyState(VK_CONTROL) & 0x8000) != 0 || (GetKeyState(VK_MENU) & 0x8000) != 0;
}

// The click as the button's own WM_COMMAND, posted so that the capture runs
// in the window's message handling rather than inside the hook. A hidden or
// disabled button cannot be pressed by its key either.
void PostClick(const ClickKey& clickKey) {
  HWND button = GetDlgItem(clickKey.window, clickKey.controlId);
  if (button == nullptr || !IsWindowVisible(button) || !IsWindowEnabled(button)) return;
  PostMessageW(clickKey.window, WM_COMMAND, MAKEWPARAM(clickKey.controlId, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

LRESULT CALLBACK OnMessage(int code, WPARAM removal, LPARAM data) {
  if (code == HC_ACTION && removal == PM_REMOVE) {
    MSG& message = *reinterpret_cast<MSG*>(data);
    if (message.message == WM_KEYDOWN || message.message == WM_KEYUP) {
      const ClickKey* clickKey = ClickKeyFor(message);
      if (clickKey != nullptr && !TakesTyping(message.hwnd) && !WithModifier()) {
        if (message.message == WM_KEYDOWN) {
          // A key held down repeats: one click per press.
          if ((message.lParam & kKeyWasDown) == 0) PostClick(*clickKey);
          g_keyDownIn = clickKey->window;
          message.message = WM_NULL;
        } else if (g_keyDownIn == clickKey->window) {
          g_keyDownIn = nullptr;
          message.message = WM_NULL;
        }
      }
    }
  }
  return CallNextHookEx(nullptr, code, removal, data);
}

}  // namespace

ClickKeyHook::ClickKeyHook()
    : hook_(SetWindowsHookExW(WH_GETMESSAGE, &OnMessage, nullptr, GetCurrentThreadId())) {}

ClickKeyHook::~ClickKeyHook() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
}

void SetClickKey(HWND window, int key, int controlId) {
  ForgetClickKeys(window);
  if (window != nullptr && key != 0) g_clickKeys.push_back(ClickKey{window, key, controlId});
}

void ForgetClickKeys(HWND window) {
  g_clickKeys.erase(std::remove_if(g_clickKeys.begin(), g_clickKeys.end(),
                                   [window](const ClickKey& k) { return k.window == window; }),
                    g_clickKeys.end());
  if (g_keyDownIn == window) g_keyDownIn = nullptr;
}

}  // namespace win32
