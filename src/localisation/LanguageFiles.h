// Reading the language files and the language list, and where they live.
#pragma once

#include <string>

#include "localisation/LanguageList.h"
#include "localisation/UiTextTable.h"

namespace platform {
class Os;
}

namespace localisation {

// The code used when a code is unusable as a file name.
inline constexpr const char* kFallbackLanguageCode = "EN";

// A code is used as a file stem only when it is short and cannot leave the
// language folder: 1 to 16 characters, none of \ / : . and no control
// character.
bool IsSafeLanguageCode(const std::string& code);

// moduleFolder + "\Language\Language.xml".
std::string LanguageListPath(const std::string& moduleFolder);
// moduleFolder + "\Language\" + code + ".xml"; an unsafe code is replaced by
// kFallbackLanguageCode.
std::string LanguageFilePath(const std::string& moduleFolder, const std::string& code);

// Fills `table` from a language file. False when the file cannot be read or
// parsed (the table is then unchanged); true otherwise, also when it lacks
// the "UIText" element. Keys missing from the file keep their entries,
// except the descriptions (kDescriptionTexts), which become English.
bool LoadUiTexts(const std::string& path, const platform::Os& os, UiTextTable& table);
// The same from a file's bytes.
bool ReadUiTexts(const std::string& bytes, const platform::Os& os, UiTextTable& table);

// Fills `list` from the language list file. False when the file cannot be
// read or parsed (the list is then unchanged) or holds no entry.
bool LoadLanguageList(const std::string& path, const platform::Os& os, LanguageList& list);
bool ReadLanguageList(const std::string& bytes, const platform::Os& os, LanguageList& list);

}  // namespace localisation
