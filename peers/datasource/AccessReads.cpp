#include "AccessReads.h"

#include <commctrl.h>
#include <oleacc.h>

namespace {

struct TipSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTipControl(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<TipSearch*>(data);
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, 64);
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  if (processId == search->processId && lstrcmpiW(className, TOOLTIPS_CLASSW) == 0) {
    search->found.push_back(hwnd);
  }
  return TRUE;
}

std::wstring RectText(const RECT& rect) {
  return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
         std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom);
}

}  // namespace

std::wstring AccessibleNameOf(HWND window) {
  IAccessible* object = nullptr;
  const HRESULT found = AccessibleObjectFromWindow(
      window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
      reinterpret_cast<void**>(&object));
  if (FAILED(found) || object == nullptr) {
    return L"(none: " + std::to_wstring(static_cast<unsigned long>(found)) + L")";
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT named = object->get_accName(self, &name);
  std::wstring text = SUCCEEDED(named) && name != nullptr
                          ? std::wstring(name)
                          : L"(none: " + std::to_wstring(static_cast<unsigned long>(named)) + L")";
  SysFreeString(name);
  object->Release();
  return text;
}

void SilenceToolTips(DWORD processId) {
  TipSearch search{processId, {}};
  EnumWindows(&CollectTipControl, reinterpret_cast<LPARAM>(&search));
  for (HWND tips : search.found) SendMessageW(tips, TTM_ACTIVATE, FALSE, 0);
}

bool ToolTipOf(HANDLE process, DWORD processId, HWND tool, std::wstring& text) {
  TipSearch search{processId, {}};
  EnumWindows(&CollectTipControl, reinterpret_cast<LPARAM>(&search));
  constexpr size_t kTextUnits = 256;
  const size_t size = sizeof(TOOLINFOW) + kTextUnits * sizeof(wchar_t);
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (remote == nullptr) return false;
  auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TOOLINFOW));
  bool read = false;
  for (HWND tips : search.found) {
    const LRESULT count = SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && !read; ++i) {
      TOOLINFOW info{};
      info.cbSize = sizeof info;
      if (!WriteProcessMemory(process, remote, &info, sizeof info, nullptr) ||
          !SendMessageW(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(remote)) ||
          !ReadProcessMemory(process, remote, &info, sizeof info, nullptr) ||
          info.uId != reinterpret_cast<UINT_PTR>(tool)) {
        continue;
      }
      wchar_t buffer[kTextUnits] = {};
      info.lpszText = remoteText;
      read = WriteProcessMemory(process, remoteText, buffer, sizeof buffer, nullptr) &&
             WriteProcessMemory(process, remote, &info, sizeof info, nullptr);
      if (!read) break;
      SendMessageW(tips, TTM_GETTEXTW, kTextUnits, reinterpret_cast<LPARAM>(remote));
      read = ReadProcessMemory(process, remoteText, buffer, sizeof buffer, nullptr) != FALSE;
      buffer[kTextUnits - 1] = L'\0';
      text = buffer;
    }
    if (read) break;
  }
  (void)VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return read;
}

HWND WindowShownOver(HWND window, HWND control) {
  RECT rect{};
  if (!GetWindowRect(control, &rect)) return nullptr;
  POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ScreenToClient(window, &centre);
  return ChildWindowFromPointEx(window, centre, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

std::vector<std::wstring> LayoutOf(HWND window) {
  std::vector<std::wstring> lines;
  RECT client{};
  GetClientRect(window, &client);
  lines.push_back(L"client - " + RectText(client));
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    lines.push_back(std::to_wstring(GetDlgCtrlID(child)) + L" " + className + L" " +
                    RectText(rect));
  }
  return lines;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}
