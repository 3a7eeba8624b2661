#include "dslink/DSWindowTitle.h"

const char16_t kDefaultDSWindowTitle[] = u"TWAINDSWINDOWS";
const char16_t kReceivingWindowTitle[] = u"TWAINDSUIWINDOWS";

std::u16string DSWindowTitleFromCommandLine(const std::u16string& commandLine) {
  const size_t first = commandLine.find(u';');
  if (first == std::u16string::npos) return kDefaultDSWindowTitle;
  const size_t second = commandLine.find(u';', first + 1);
  if (second == std::u16string::npos || second == first + 1) return kDefaultDSWindowTitle;
  return commandLine.substr(first + 1, second - first - 1);
}
