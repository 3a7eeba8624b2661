#include "app/RestartArguments.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::optional<std::u16string> RestartArguments(const std::u16string& commandLine) {
  size_t position = 0;
  if (!commandLine.empty() && commandLine[0] == u'"') {
    const size_t closing = commandLine.find(u'"', 1);
    position = closing == std::u16string::npos ? commandLine.size() : closing + 1;
  } else {
    while (position < commandLine.size() && !IsBlank(commandLine[position])) ++position;
  }
  while (position < commandLine.size() && IsBlank(commandLine[position])) ++position;
  std::u16string arguments = commandLine.substr(position);
  if (arguments.size() >= kRestartArgumentsMaxUnits) return std::nullopt;
  return arguments;
}
