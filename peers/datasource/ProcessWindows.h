// Windows of the Prismel process used from outside as a user uses them: an
// item of the thumbnail list clicked and right-clicked, an entry of the
// context menu chosen with the keyboard, a message box found and read, the
// windows the capture window owns found.
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

// The visible pop-up without caption that `owner` owns (the merge
// preview; tips are left out), or null.
HWND OwnedPopupWithoutCaption(HWND owner);

// A visible dialog with a caption that `owner` owns (an option dialog, the
// about box), or null.
HWND OwnedDialogWithCaption(HWND owner);

// Chooses entry `entry` (1 = the first) of the open pop-up menu `menu`:
// Down once per entry, then Enter.
void ChooseMenuEntry(HWND menu, int entry);
