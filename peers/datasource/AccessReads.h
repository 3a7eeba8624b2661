// What assistive technology, a tip and a layout check read from the windows
// of the Prismel process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The name a screen reader reads for `window`, through the standard
// accessibility interface (AccessibleObjectFromWindow, which COM carries
// across the processes). "(none: <error>)" when there is none.
std::wstring AccessibleNameOf(HWND window);

// The tip shown for `tool`, from whichever tip control of process
// `processId` (opened as `process`) holds it. The control answers in its
// own process's memory, which is read back from there. False when no tip
// control holds the tool.
bool ToolTipOf(HANDLE process, DWORD processId, HWND tool, std::wstring& text);

// Keeps every tip control of process `processId` from showing its tips;
// they can still be read.
void SilenceToolTips(DWORD processId);

// What the user sees at the centre of `control`: the control itself or a
// window laid over it (the live picture over its placeholder).
HWND WindowShownOver(HWND window, HWND control);

// The client area of `window` and each of its visible child windows, as
// "ID CLASS left,top,right,bottom" in client coordinates ("client" for the
// client area).
std::vector<std::wstring> LayoutOf(HWND window);

// The control of `window`'s thread that has the keyboard focus, or null.
HWND FocusOf(HWND window);
