#include "Figures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace reliability {

long RunLength(const char* name, long quick) {
  const char* value = std::getenv((std::string("PRISMEL_RELIABILITY_") + name).c_str());
  if (value == nullptr) return quick;
  char* end = nullptr;
  const long number = std::strtol(value, &end, 10);
  return end != value && *end == '\0' && number > 0 ? number : quick;
}

void RecordFigure(const std::string& scenario, const std::string& runs, const std::string& held) {
  const char* path = std::getenv("PRISMEL_FIGURES");
  if (path == nullptr || *path == '\0') return;
  // A scenario whose test failed says so instead of what would have held.
  const std::string outcome =
      testing::Test::HasFailure() ? "FAILED (see the test's output)" : held;
  std::ofstream(path, std::ios::app) << scenario << '\t' << runs << '\t' << outcome << '\n';
}

}  // namespace reliability
