// The settings file "LastSetting.xml" beside the executable: reading it into
// the session settings record and writing the record back.
#pragma once

#include <string>

#include "settings/SessionSettings.h"

namespace platform {
class Os;
}

namespace settings {

inline constexpr const char* kSettingsFileName = "LastSetting.xml";
// Strings are kept to this many UTF-16 units when they are read and written.
inline constexpr size_t kSettingsStringMaxUnits = 255;

// moduleFolder + "\LastSetting.xml".
std::string SettingsFilePath(const std::string& moduleFolder);

// Reads the settings file of the program folder into `record`. False when
// the file cannot be read or parsed; the record then keeps what it held.
bool LoadSessionSettings(const platform::Os& os, const std::string& moduleFolder,
                         SessionSettings& record);
// Writes `record` to the settings file of the program folder; true on
// success. The file is replaced in one step, so on any failure the old file
// stays as it was; only where the folder takes no new file is it written in
// place (and put back should that write fail).
bool SaveSessionSettings(platform::Os& os, const std::string& moduleFolder,
                         const SessionSettings& record);

// The same for an explicit record and file path.
bool LoadSessionSettingsFile(const platform::Os& os, const std::string& path, SessionSettings& record);
bool SaveSessionSettingsFile(platform::Os& os, const std::string& path, const SessionSettings& record);

// Applies a settings document to `record`: only the fields whose elements are
// present change. False when the document is malformed or has no element.
bool ReadSessionSettings(const std::string& bytes, const platform::Os& os, SessionSettings& record);
// The whole settings document for `record`: UTF-8, CR LF line ends, four
// spaces per level.
std::string FormatSessionSettings(const SessionSettings& record, const platform::Os& os);

}  // namespace settings
