// The window through which another process reaches the plug and unplug
// hooks (see KelpraRemoteHooks.h). Only Windows has one; natively both are
// empty.
#pragma once

namespace kelpra {

// Creates the window on the calling thread, unless it exists.
void OpenHookWindow();
// Destroys it: at once on the thread that created it, else by a WM_CLOSE
// that thread handles.
void CloseHookWindow();

}  // namespace kelpra
