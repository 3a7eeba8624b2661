// Entry point of Prismel.exe: the platform of the product around the core.
#include "app/CTessivueApp.h"
#include "app/RestartArguments.h"
#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Link.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/WindowsHeaders.h"

#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  win32::Win32Os os;
  // Restart support only, no recovery: after an update or a restart by the
  // system the process is started again with its own arguments, which name
  // its data source's window.
  if (const auto arguments = RestartArguments(os.CommandLine())) {
    RegisterApplicationRestart(reinterpret_cast<PCWSTR>(arguments->c_str()), 0);
  }

  // COM on the UI thread: the accessible objects of the controls are handed
  // to assistive technology through it.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

  win32::Win32Ui ui(instance);
  win32::Win32Link link;
  win32::Win32Imaging imaging;
  platform::Platform platform{os, ui, link, imaging};

  CTessivueApp app(platform);
  (void)app.InitInstance();
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
