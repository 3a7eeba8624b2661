// capture/CaptureNames.h: the names of the files one capture writes. All
// three share one number, the millisecond tick read once per capture and
// printed as a signed 32-bit value, so a tick above 2^31 - 1 gives a minus
// sign after the underscore.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace capture {

// The buffer the camera library is handed a name in (it may write a list of
// files back into it), terminating zero included.
constexpr size_t kNameBufferSize = 1024;

// The longest text a capture's file name adds to its folder. The program's
// own names are "\1_", "\2_" or "\Merge_", the number (at most
// "-2147483648") and a four-character extension; a multiple crop's files are
// the main name with "_" and the library's number (at most "2147483647")
// before the extension: "\1_-2147483648_2147483647.bmp".
constexpr size_t kLongestNameInFolder = 29;

// The extension of a file-format list index: 0 ".bmp", 1 ".jpg", 2 ".png",
// 3 ".tif"; any other index has none.
const char* ExtensionOf(int formatIndex);

struct CaptureNames {
  std::string main;       // folder\1_N.ext: the main camera's shot
  std::string secondary;  // folder\2_N.ext: the secondary camera's shot
  std::string merge;      // folder\Merge_N.ext: the result of any merge
};

// The three names for number `number`; nothing when one would not fit its
// buffer.
std::optional<CaptureNames> MakeCaptureNames(const std::string& folder, int32_t number,
                                             const std::string& extension);

// The names of a capture at `tick`. Two captures in one tick would
// overwrite each other's files: when any of the three names is taken, the
// next number whose three names are all free is used instead.
std::optional<CaptureNames> FreeCaptureNames(
    const std::string& folder, uint32_t tick, const std::string& extension,
    const std::function<bool(const std::string& path)>& exists);

// Zero-filled name buffer for the camera library.
std::string NameBuffer(const std::string& name);
// The text of a name buffer the library may have written into: up to its
// first zero, and never more than the buffer could hold.
std::string BufferText(const std::string& buffer);

// The files a multiple crop wrote, from the text the camera library left in
// the name buffer: a list separated by ';' (the text after the last ';' is
// one more part). Nothing when it holds fewer than two parts (a single file,
// or the buffer as it was); otherwise the parts that name a file, in order:
// an empty part (a list that ends with ';') names none.
std::optional<std::vector<std::string>> MultipleCropFiles(const std::string& text);

}  // namespace capture
