// Entry point of Prismel.exe: the platform of the product around the core.
#include "app/CTessivueApp.h"
#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Link.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/WindowsHeaders.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  // Restart support only, no recovery: after an update or a restart by the
  // system the process is started again with its command line.
  RegisterApplicationRestart(nullptr, 0);

  win32::Win32Os os;
  win32::Win32Ui ui(instance);
  win32::Win32Link link;
  win32::Win32Imaging imaging;
  platform::Platform platform{os, ui, link, imaging};

  CTessivueApp app(platform);
  (void)app.InitInstance();
  return 0;
}
