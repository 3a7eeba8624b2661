#include "app/CTessivueApp.h"

#include "capturewindow/CTessivueDlg.h"

bool CTessivueApp::InitInstance() {
  // Registers the common control classes (ICC_WIN95_CLASSES).
  platform_.ui.InitCommonControls();

  // Without the dialog framework there is no base initialisation, no
  // ActiveX control container and no shell manager to create: the dialogs use
  // no ActiveX or shell-aware controls. Nor is there a framework profile, so
  // no registry key is chosen; the program keeps its settings in its own file.

  {
    CTessivueDlg dialog(platform_);
    // How the session ended is reported to the data source by the link, not
    // by the dialog result.
    (void)dialog.DoModal();
  }
  return false;
}
