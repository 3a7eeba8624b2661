// Drop-down lists whose open list shows every item whole: the open list is
// widened (CB_SETDROPPEDWIDTH) to the longest item in the list's own font,
// with the list's border, a vertical scroll bar and a margin either side;
// never narrower than the control, which the list itself sees to.
#pragma once

#include "platform/win32/WindowsHeaders.h"

namespace win32 {

// True for a combo box.
bool IsDropDownList(HWND control);

// After an item was added: widens the open list if the item needs more.
void WidenDroppedList(HWND list, const wchar_t* item, int dpi);

// Sets the open list's width for all its items anew: after the list was
// emptied or filled in one go, or given a font of another DPI.
void FitDroppedList(HWND list, int dpi);

}  // namespace win32
