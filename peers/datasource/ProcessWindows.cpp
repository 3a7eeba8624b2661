#include "ProcessWindows.h"

#include <commctrl.h>

#include "kelpra/KelpraRemoteHooks.h"

bool ListViewItemCentre(HANDLE process, HWND list, int index, POINT& centre) {
  const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  if (index < 0 || index >= count) return false;
  void* remote =
      VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (remote == nullptr) return false;
  RECT rect{};
  rect.left = LVIR_ICON;
  bool read = WriteProcessMemory(process, remote, &rect, sizeof rect, nullptr) &&
              SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(remote)) != 0 &&
              ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
  (void)VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (!read || rect.right <= rect.left || rect.bottom <= rect.top) return false;
  centre.x = (rect.left + rect.right) / 2;
  centre.y = (rect.top + rect.bottom) / 2;
  return true;
}

bool ListViewItemText(HANDLE process, HWND list, int index, std::wstring& text) {
  constexpr int kUnits = 260;
  // The item record and the text buffer after it, both in Prismel's memory.
  const SIZE_T size = sizeof(LVITEMW) + kUnits * sizeof(wchar_t);
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (remote == nullptr) return false;
  LVITEMW item{};
  item.iSubItem = 0;
  item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
  item.cchTextMax = kUnits;
  wchar_t buffer[kUnits] = {};
  const bool read = WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
                    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(remote)) >= 0 &&
                    ReadProcessMemory(process, remote + sizeof(LVITEMW), buffer,
                                      sizeof buffer, nullptr);
  (void)VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (!read) return false;
  buffer[kUnits - 1] = L'\0';
  text = buffer;
  return true;
}

bool TypeKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  const auto key = [](WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    // The arrows and the keys above them are on a block of their own.
    const bool extended = (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) ||
                          virtualKey == VK_INSERT || virtualKey == VK_DELETE;
    input.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
  };
  for (WORD k : keys) inputs.push_back(key(k, false));
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) inputs.push_back(key(*it, true));
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
         inputs.size();
}

void ClickThenRightClick(HWND list, POINT point) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageW(list, WM_RBUTTONUP, 0, at);
}

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, 64);
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  if (lstrcmpW(className, search->className) != 0 || processId != search->processId ||
      !IsWindowVisible(hwnd)) {
    return TRUE;
  }
  if (search->caption != nullptr) {
    wchar_t caption[256] = {};
    GetWindowTextW(hwnd, caption, 256);
    if (lstrcmpW(caption, search->caption) != 0) return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

// A visible top-level window that `owner` owns, with or without a caption.
struct OwnedSearch {
  HWND owner;
  bool captioned;
  HWND found;
};

BOOL CALLBACK CheckOwned(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<OwnedSearch*>(data);
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, 64);
  const bool captioned = (GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  // A tip is a pop-up without caption too, but never the one searched for.
  if (GetWindow(hwnd, GW_OWNER) != search->owner || !IsWindowVisible(hwnd) ||
      captioned != search->captioned || lstrcmpiW(className, L"tooltips_class32") == 0 ||
      (search->captioned && lstrcmpW(className, L"#32770") != 0)) {
    return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

HWND OwnedWindow(HWND owner, bool captioned) {
  OwnedSearch search{owner, captioned, nullptr};
  EnumWindows(&CheckOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HWND OwnedPopupWithoutCaption(HWND owner) { return OwnedWindow(owner, false); }
HWND OwnedDialogWithCaption(HWND owner) { return OwnedWindow(owner, true); }

HWND VisibleWindowOf(DWORD processId, const wchar_t* className, const wchar_t* caption) {
  WindowSearch search{processId, className, caption, nullptr};
  EnumWindows(&CheckWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void ChooseMenuEntry(HWND menu, int entry) {
  for (int i = 0; i < entry; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

bool RunCameraHook(DWORD processId, WPARAM action, LPARAM device, DWORD timeoutMs,
                   LRESULT& answer) {
  // Message-only windows are found only among the children of HWND_MESSAGE.
  HWND window = nullptr;
  for (;;) {
    window = FindWindowExW(HWND_MESSAGE, window, kKelpraRemoteHookClass, nullptr);
    if (window == nullptr) return false;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) break;
  }
  const UINT message = RegisterWindowMessageW(kKelpraRemoteHookMessage);
  DWORD_PTR result = 0;
  if (message == 0 || SendMessageTimeoutW(window, message, action, device, SMTO_NORMAL, timeoutMs,
                                          &result) == 0) {
    return false;
  }
  answer = static_cast<LRESULT>(result);
  return true;
}
