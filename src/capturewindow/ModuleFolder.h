// The folder of the running executable, where the camera library, the
// settings file and the language files are found.
#pragma once

#include <string>

namespace capturewindow {

// The path cut before its last backslash; the whole path when it holds no
// backslash after its first character.
std::string ModuleFolderOf(const std::string& modulePath);

}  // namespace capturewindow
