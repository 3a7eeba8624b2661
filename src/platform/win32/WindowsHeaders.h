// <windows.h> for the Win32 platform, without the macros that would rename
// the platform interfaces' methods (MessageBox, LoadLibrary, ...).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef CreateWindow
#undef DeleteFile
#undef FreeModule
#undef LoadLibrary
#undef LoadString
#undef MessageBox
#undef SetCurrentDirectory
#undef GetCurrentDirectory
