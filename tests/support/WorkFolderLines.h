// The lines the work folder's clean-up writes to standard output,
// GBK-encoded as the program writes them.
#pragma once

#include <string>

namespace testing_support {

// How every line about a folder that could not be removed begins.
inline constexpr char kRemoveFailed[] = "\xc9\xbe\xb3\xfd";

// Entering a sub-folder to empty it.
inline std::string EnteringLine(const std::string& folder) {
  return "\xc4\xbf\xc2\xbc\xce\xaa:" + folder + "/n";
}
// A folder that could not be removed.
inline std::string RemoveFailedLine(const std::string& folder) {
  return kRemoveFailed + folder + "\xc4\xbf\xc2\xbc\xca\xa7\xb0\xdc\xa3\xa1/n";
}

}  // namespace testing_support
