#include "ProcessResources.h"

#include <psapi.h>
#include <winternl.h>

#include <vector>

namespace {

// One entry of the GDI handle table as Wine lays it out (the same in 32-
// and 64-bit processes); a live object has a non-zero type.
struct GdiHandleEntry {
  UINT64 object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "a GDI handle table entry is 24 bytes");
constexpr size_t kGdiHandleCount = 0x10000;
// Where the process environment block keeps the table's address.
constexpr size_t kGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

long CountGdiTableEntries(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  ULONG length = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                &length) != 0 ||
      basic.PebBaseAddress == nullptr) {
    return -1;
  }
  UINT_PTR table = 0;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + kGdiTableOffset,
                         &table, sizeof table, &read) ||
      table == 0) {
    return -1;
  }
  std::vector<GdiHandleEntry> entries(kGdiHandleCount);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                         entries.size() * sizeof(GdiHandleEntry), &read)) {
    return -1;
  }
  long live = 0;
  for (const GdiHandleEntry& entry : entries) live += entry.type != 0 ? 1 : 0;
  return live;
}

struct WindowCount {
  DWORD processId;
  long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
  ++reinterpret_cast<WindowCount*>(data)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM data) {
  auto* windows = reinterpret_cast<WindowCount*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != windows->processId) return TRUE;
  ++windows->count;
  EnumChildWindows(hwnd, &CountChild, data);
  return TRUE;
}

}  // namespace

ProcessResources ReadProcessResources(HANDLE process, DWORD processId) {
  ProcessResources r;
  r.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  r.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  if (RunningUnderWine()) r.gdiTableEntries = CountGdiTableEntries(process);
  WindowCount windows{processId, 0};
  EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  r.windows = windows.count;
  GetProcessHandleCount(process, &r.kernelHandles);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    r.privateBytes = memory.PrivateUsage;
  }
  return r;
}

std::string DescribeResources(const ProcessResources& r) {
  return "gdi=" + std::to_string(r.gdiObjects) + " user=" + std::to_string(r.userObjects) +
         " gditable=" + std::to_string(r.gdiTableEntries) + " windows=" +
         std::to_string(r.windows) + " handles=" + std::to_string(r.kernelHandles) +
         " privatekib=" + std::to_string(r.privateBytes / 1024);
}
