// The data source's window title, taken from this process's command line.
#pragma once

#include <string>

extern const char16_t kDefaultDSWindowTitle[];    // "TWAINDSWINDOWS"
extern const char16_t kReceivingWindowTitle[];    // "TWAINDSUIWINDOWS"

// The text strictly between the first two ";" of the command line, or the
// default title when either ";" is missing or the text between them is empty.
std::u16string DSWindowTitleFromCommandLine(const std::u16string& commandLine);
