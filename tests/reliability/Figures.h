// Run lengths from the environment and the figures a run reports.
//
// scripts/reliability.sh sets PRISMEL_RELIABILITY_<NAME> for the long runs
// and PRISMEL_FIGURES to a file that collects one line per scenario:
//   scenario<TAB>runs<TAB>what held
// from which it writes the table of docs/reliability.md.
#pragma once

#include <string>

namespace reliability {

// PRISMEL_RELIABILITY_<name> as a positive number, else `quick`.
long RunLength(const char* name, long quick);

// Appends one line to the figures file, when one is named; a test that has
// failed records the failure instead of `held`.
void RecordFigure(const std::string& scenario, const std::string& runs, const std::string& held);

}  // namespace reliability
