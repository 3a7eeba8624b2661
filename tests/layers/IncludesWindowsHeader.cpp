// A core source that reaches for the Windows API: must not build.
#include <windows.h>
