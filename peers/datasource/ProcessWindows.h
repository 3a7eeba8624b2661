// Windows of the Prismel process used from outside as a user uses them: an
// item of the thumbnail list clicked and right-clicked or read, an entry of
// the context menu chosen with the keyboard, keys typed, a message box found
// and read, the windows the capture window owns found; and the reference
// camera library's hook window, through which a camera is plugged in or
// taken out.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The centre of item `index`'s icon in the list view's client coordinates.
// The list view belongs to another process, so its answer is written into
// memory of that process (`process`) and read back from there.
bool ListViewItemCentre(HANDLE process, HWND list, int index, POINT& centre);

// The text of item `index` of the list view, read as ListViewItemCentre reads.
bool ListViewItemText(HANDLE process, HWND list, int index, std::wstring& text);

// Posts a left click and then a right click at `point` of `list`.
void ClickThenRightClick(HWND list, POINT point);

// Presses `keys` (virtual-key codes) through the system's keyboard input,
// as a person does: each goes down in turn, then all come up in the
// reverse order (Ctrl held while Left is pressed). They reach the window
// that has the keyboard focus. False when the system refused the input.
bool TypeKeys(const std::vector<WORD>& keys);

// A visible top-level window of class `className` of the process
// `processId` whose caption is `caption` (any caption for null), or null.
// "#32768" is the class of pop-up menus, "#32770" that of dialogs and
// message boxes.
HWND VisibleWindowOf(DWORD processId, const wchar_t* className, const wchar_t* caption);

// The visible pop-up without caption that `owner` owns (the merge
// preview; tips are left out), or null.
HWND OwnedPopupWithoutCaption(HWND owner);

// A visible dialog with a caption that `owner` owns (an option dialog, the
// about box), or null.
HWND OwnedDialogWithCaption(HWND owner);

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
