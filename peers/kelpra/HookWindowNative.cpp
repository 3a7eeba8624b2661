// Native builds: tests call the hooks themselves, in their own process.
#include "HookWindow.h"

namespace kelpra {

void OpenHookWindow() {}
void CloseHookWindow() {}

}  // namespace kelpra
