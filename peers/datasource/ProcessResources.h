// What another process holds of the system's objects, read from outside:
// the counts a soak compares before and after many captures.
#pragma once

#include <windows.h>

#include <string>

struct ProcessResources {
  DWORD gdiObjects = 0;   // GetGuiResources(GR_GDIOBJECTS)
  DWORD userObjects = 0;  // GetGuiResources(GR_USEROBJECTS)
  // Live entries of the process's GDI handle table; -1 where it cannot be
  // read. Wine answers GetGuiResources with 0 whatever the process holds;
  // under Wine this count is the one that shows a GDI object kept too long.
  long gdiTableEntries = -1;
  long windows = 0;       // windows of the process, child windows included
  DWORD kernelHandles = 0;
  SIZE_T privateBytes = 0;
};

ProcessResources ReadProcessResources(HANDLE process, DWORD processId);

// "gdi=N user=N gditable=N windows=N handles=N privatekib=N"
std::string DescribeResources(const ProcessResources& resources);
