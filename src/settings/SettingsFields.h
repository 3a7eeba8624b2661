// Every element of the settings file and the field of SessionSettings that
// keeps it, described once. The reader, the writer and the collecting of the
// controls all walk this description.
#pragma once

#include <string>
#include <variant>

#include "settings/SessionSettings.h"

namespace settings {

// Where a field lives in a record: numbers, flags and 8-bit strings.
using FieldRef = std::variant<int*, bool*, std::string*>;

enum class FieldRule {
  Plain,         // read and written as it is
  LanguageCode,  // "0" follows the user's UI language; unsafe codes become the fallback
  ReadOnly,      // accepted when reading, never written
};

struct SettingsField {
  const char* path;  // element path under the root, groups separated by '/'
  FieldRef (*field)(SessionSettings& record);
  FieldRule rule = FieldRule::Plain;
};

// In the order of the file; the read-only root-level "ImageDPI" comes after
// "DPI/ImageDPI", so that it wins when both are present.
extern const SettingsField kSettingsFields[];
extern const int kSettingsFieldCount;

// The field described by `path`, or null.
const SettingsField* FindSettingsField(const char* path);

}  // namespace settings
