// Accessible names: what a screen reader says for a window whose caption
// is a symbol ("+") or that has none (the live picture).
#pragma once

#include <string>

#include "platform/win32/WindowsHeaders.h"

namespace win32 {

// From now on `window` answers the standard accessibility request
// (WM_GETOBJECT) with the system's own accessible object for it, except
// that its name is `name`. A later call replaces the name.
void SetAccessibleName(HWND window, const std::wstring& name);

}  // namespace win32
