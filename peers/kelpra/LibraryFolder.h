// Where the library's own file lies, and the configuration file beside it.
#pragma once

#include <string>

namespace kelpra {

// The folder of the loaded library (no trailing separator); empty if unknown.
std::string LibraryFolder();

// KELPRA_CONFIG when set, else Kelpra.ini in the library's folder.
std::string ConfigFilePath();

// KELPRA_TICK_MS when set to a valid number of milliseconds, else 0.
int TickFromEnvironment();

}  // namespace kelpra
