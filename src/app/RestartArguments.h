// The arguments a restarted process must be given: everything on its own
// command line after the program's name. The data source's window title
// travels there, so a restarted process talks to the same data source.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The most the system keeps for a restart, terminating zero included.
constexpr size_t kRestartArgumentsMaxUnits = 1024;

// The command line without the program's name and the blanks after it, as
// the system splits them: a name that starts with a quote ends at the next
// quote, any other name at the first blank. Nothing when the arguments
// would not fit whole: cut arguments could name another data source.
std::optional<std::u16string> RestartArguments(const std::u16string& commandLine);
