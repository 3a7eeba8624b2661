// What the reference data source does, step by step.
//
// Steps, one per argument or per line of a script file:
//   send:CODE[:TEXT]            a text message record (kind 1002)
//   settings:PIXEL:RES:ROT:CROP a scan settings record (kind 1003)
//   kind:KIND                   a text message record of another kind
//   wait:MS                     handle messages for MS milliseconds
//   close                       the system menu's Close on the capture window
//   click:ID                    press a button of the capture window
//   select:ID:INDEX             pick an item of a list of the capture window
//   dropdown:ID                 open the drop-down of a list of the capture window
//   text:ID                     log the text of a control of the capture window
//   items:ID                    log every item of a list or list view of the capture window
//   count:ID                    log how many items a list or list view holds
//   check:ID:0|1                set a check box of the capture window and click it
//   rect:ID                     log a control's screen rectangle "left,top,right,bottom"
//   poprect                     log the rectangle of the visible pop-up without caption
//                               that the capture window owns (the merge preview)
//   move:DX:DY                  move the capture window as a drag does (WM_MOVING, then
//                               the move)
//   dialogclick:TITLE:ID        press button ID of the top-level window titled TITLE
//   statustext                  log the text of the capture window's status bar
//   signal:FILE                 create FILE (to tell a script "ready")
//   waitfor:FILE                handle messages until FILE exists
//   waitexit                    handle messages until Prismel has exited
//   window:TITLE                handle messages until Prismel shows a window of
//                               this title (visible, so that its controls exist);
//                               the control steps (click, select, dropdown, text,
//                               items, check, rect) and the ones
//                               below then act on it ("window:Prismel" goes back)
//   type:ID:TEXT                set the text of an edit box or editable list
//   pick:ID:TEXT                pick the item of a list that reads TEXT
//   key:ID:VK                   press a key (decimal virtual-key code) on a control
//   waitmenu                    handle messages until Prismel shows a pop-up menu
//   menukey:VK                  press a key in the open pop-up menu
//   listmenu:ID:INDEX:ENTRY     click item INDEX of list view ID, right-click it and
//                               choose entry ENTRY (1 = first) of its context menu
//   msgbox                      handle messages until Prismel shows a message box, log
//                               its text and press its OK
//   waitrecord:CODE[:TEXT]      handle messages until a record CODE (with TEXT) arrived
//                               that no earlier waitrecord step took
//   waitcount:ID:N              handle messages until list or list view ID of the chosen
//                               window holds N items (a capture is listed)
//   settle                      handle messages until Prismel has handled everything
//                               posted to it before this step (a click, a posted
//                               task) and its windows have painted
//   waitframes                  handle messages until every live picture the reference
//                               camera library paints in Prismel's windows has painted
//                               a whole new frame
//   waitselected:ID:INDEX       handle messages until the first selected item of list view
//                               ID of the chosen window is INDEX (-1: none)
//   waitcalls:EXPORT:N          handle messages until the camera library's call log (the
//                               file KELPRA_CALL_LOG names) holds N calls of EXPORT
//   visible                     log whether the chosen window is visible ("1" or "0")
//   state:ID                    log a check box's check and whether it is enabled, as
//                               "checked=1 enabled=0" (hidden controls too)
//   presskey:ID:VK              give control ID the focus, as Tab would, and press and
//                               release a key there through Prismel's message queue, as
//                               the keyboard does; ID 0 presses it where the focus is
//   inputkey:ID:VK[+VK...]      bring the chosen window to the foreground, give control ID
//                               the focus, as Tab would, and type the keys through the
//                               system's keyboard input (SendInput): each goes down in
//                               turn, then all come up in reverse, so "17+37" is Ctrl+Left
//   focused                     log the id of the control that has the keyboard focus
//   accname:ID                  log the accessible name of what shows at the centre of
//                               control ID (a window laid over it counts), read through
//                               the standard accessibility interface
//   tooltip:ID                  log the tip of what shows at the centre of control ID
//   layout                      log the client area and every visible child window of the
//                               chosen window: "ID CLASS left,top,right,bottom"
//   press:ID                    press a button of the chosen window and wait until its
//                               handler has returned (click only posts the press)
//   hostile:COUNT:SEED          send COUNT records of random kinds, sizes and contents
//                               (from SEED), in turn to the receiving window and to the
//                               capture window; logged as "hostile-start" and
//                               "hostile-end" with the counts sent
//   dialog                      handle messages until the capture window owns a visible
//                               dialog with a caption (an option dialog, the about box),
//                               whatever the language calls it; the control steps then act
//                               on it
//   closed                      handle messages until the chosen window is gone; the control
//                               steps then act on the capture window again
//   syscommand:CMD              post the system-menu command CMD (decimal) to the capture
//                               window (16: the about box)
//   fit:TEMPLATE                log how every visible text of the chosen window fits its
//                               control, measured in the font of Prismel's dialog template
//                               TEMPLATE: "KIND ID NEED ROOM TEXT" (TextFit.h)
//   resources                   log what the Prismel process holds: GDI and USER
//                               objects, GDI handle table entries, windows, handles,
//                               private memory
//   plug                        plug a webcam into the reference camera library that
//   unplug:INDEX                Prismel has loaded, or take out its device INDEX, on
//                               Prismel's user-interface thread (the library's hook
//                               window, see peers/kelpra/KelpraRemoteHooks.h); logs the
//                               library's device count afterwards. The rebuild that
//                               follows is Prismel's: wait for its calls (waitcalls)
#pragma once

#include <string>
#include <vector>

struct Step {
  std::wstring verb;
  std::vector<std::wstring> arguments;
};

// Nothing for a step it cannot read; `error` then says why.
bool ParseStep(const std::wstring& text, Step& step, std::wstring& error);
std::vector<std::wstring> ReadScriptLines(const std::wstring& path);
