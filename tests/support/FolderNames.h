// The names of what a folder holds, sorted, for comparing a folder's
// contents as one value.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// The names of the entries of `folder`, sorted; none for a missing folder.
inline std::vector<std::string> SortedNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace testing_support
