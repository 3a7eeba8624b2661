#include "platform/win32/Win32Link.h"

#include "platform/win32/WindowsHeaders.h"

namespace win32 {

platform::SendResult Win32Link::SendCopyData(const std::u16string& title, uint32_t kind,
                                             const void* data, uint32_t size) {
  HWND target = FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(title.c_str()));
  if (target == nullptr) return {};
  COPYDATASTRUCT copyData{};
  copyData.dwData = kind;
  copyData.cbData = size;
  copyData.lpData = const_cast<void*>(data);
  const LRESULT result =
      SendMessageW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copyData));
  return platform::SendResult{true, static_cast<intptr_t>(result)};
}

void Win32Link::AllowCopyDataFromAnyProcess() {
  // Resolved at run time: the call does not exist before Windows Vista.
  using FilterFunction = BOOL(WINAPI*)(UINT, DWORD);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return;
  auto filter = reinterpret_cast<FilterFunction>(
      reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")));
  if (filter != nullptr) filter(WM_COPYDATA, 1 /* MSGFLT_ADD */);
}

}  // namespace win32
