// Text conversions of the headless platform. Its ANSI code page is
// Windows-1252, so that characters outside it become '?' as they would on a
// Western Windows system.
#pragma once

#include <string>

namespace headless {

std::u16string Cp1252ToUtf16(const std::string& text);
std::string Utf16ToCp1252(const std::u16string& text);
// Invalid sequences become U+FFFD, as the Windows conversion does.
std::u16string Utf8ToUtf16(const std::string& text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace headless
