// A core source that includes a platform implementation instead of its interface.
#include "platform/win32/Win32Os.h"
