#include "capturewindow/ModuleFolder.h"

namespace capturewindow {

std::string ModuleFolderOf(const std::string& modulePath) {
  const size_t last = modulePath.rfind('\\');
  if (last == std::string::npos || last == 0) return modulePath;
  return modulePath.substr(0, last);
}

}  // namespace capturewindow
