#include "Figures.h"

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
  std::ofstream(path, std::ios::app) << scenario << '\t' << runs << '\t' << held << '\n';
}

}  // namespace reliability
