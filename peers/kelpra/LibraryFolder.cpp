// Locating the library file and reading the environment overrides.
#include "LibraryFolder.h"

#include <cstdlib>

#include "KelpraConfig.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kelpra {

std::string LibraryFolder() {
  std::string path;
#if defined(_WIN32)
  HMODULE module = nullptr;
  if (GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&LibraryFolder), &module)) {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(module, buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) path.assign(buffer, length);
  }
#else
  Dl_info info;
  if (dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) && info.dli_fname)
    path = info.dli_fname;
#endif
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ConfigFilePath() {
  const char* configured = std::getenv("KELPRA_CONFIG");
  if (configured && *configured) return configured;
  const std::string folder = LibraryFolder();
  if (folder.empty()) return "Kelpra.ini";
#if defined(_WIN32)
  return folder + "\\Kelpra.ini";
#else
  return folder + "/Kelpra.ini";
#endif
}

int TickFromEnvironment() {
  const char* text = std::getenv("KELPRA_TICK_MS");
  if (!text || !*text) return 0;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < 1 || value > limits::kMaxTickMs) return 0;
  return static_cast<int>(value);
}

}  // namespace kelpra
