// The name a list item shows for a file.
#pragma once

#include <string>

namespace thumbnails {

// The file name without its folder and its extension: "C:\a\1_5.bmp"
// gives "1_5". Both '\' and '/' end the folder; the extension starts at the
// last '.' of the name.
std::u16string FileTitle(const std::u16string& path);

}  // namespace thumbnails
