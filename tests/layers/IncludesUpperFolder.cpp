// A settings source that includes the capture window, which builds on settings.
#include "capturewindow/CTessivueDlg.h"
