// Windows of the Prismel process used from outside as a user uses them: an
// item of the thumbnail list clicked and right-clicked, an entry of the
// context menu chosen with the keyboard, a message box found and read; and
// the reference camera library's hook window, through which a camera is
// plugged in or taken out.
#pragma once

#include <windows.h>

// The centre of item `index`'s icon in the list view's client coordinates.
// The list view belongs to another process, so its answer is written into
// memory of that process (`process`) and read back from there.
bool ListViewItemCentre(HANDLE process, HWND list, int index, POINT& centre);

// Posts a left click and then a right click at `point` of `list`.
void ClickThenRightClick(HWND list, POINT point);

// A visible top-level window of class `className` of the process
// `processId` whose caption is `caption` (any caption for null), or null.
// "#32768" is the class of pop-up menus, "#32770" that of dialogs and
// message boxes.
HWND VisibleWindowOf(DWORD processId, const wchar_t* className, const wchar_t* caption);

// Chooses entry `entry` (1 = the first) of the open pop-up menu `menu`:
// Down once per entry, then Enter.
void ChooseMenuEntry(HWND menu, int entry);

// Runs the plug (kKelpraRemotePlug) or unplug (kKelpraRemoteUnplug of
// `device`) hook of the reference camera library that the process
// `processId` has loaded, on the thread that initialised the library, and
// gives the hook's answer: the new device count or a negative code. False
// when the process has no such window or does not answer in time.
bool RunCameraHook(DWORD processId, WPARAM action, LPARAM device, DWORD timeoutMs,
                   LRESULT& answer);
