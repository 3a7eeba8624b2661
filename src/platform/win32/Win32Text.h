// Texts of windows as the platform's UTF-16 strings. Shared by the files of
// Win32Window.
#pragma once

#include <string>

#include "platform/win32/WindowsHeaders.h"

namespace win32 {

inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string WindowText(HWND hwnd) {
  if (hwnd == nullptr) return {};
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()),
                        static_cast<size_t>(copied > 0 ? copied : 0));
}

}  // namespace win32
