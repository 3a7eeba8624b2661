#include <optional>
#include <string>
#include <variant>

#include "localisation/DefaultLanguage.h"
#include "localisation/LanguageFiles.h"
#include "localisation/TextCut.h"
#include "localisation/XmlReading.h"
#include "platform/Os.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsFile.h"

namespace settings {
namespace {

using localisation::ChildElement;
using localisation::LeadingInteger;

// The element at `path` ("group/name") under `root`: each step is the first
// child element of that name. Null when any step is missing.
const TiXmlElement* ElementAt(const TiXmlElement* root, const std::string& path) {
  const TiXmlElement* element = root;
  size_t start = 0;
  while (element != nullptr) {
    const size_t slash = path.find('/', start);
    element = ChildElement(element, path.substr(start, slash - start).c_str());
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return element;
}

// UTF-8 in the file, the ANSI code page in memory.
std::string Utf8ToAnsi(const std::string& text, const platform::Os& os) {
  return os.WideToAnsi(localisation::CutUtf16(os.Utf8ToWide(text), kSettingsStringMaxUnits));
}

// "0" follows the user's UI language. The code names a file, so anything
// that is not a plain short code becomes the fallback language.
std::string LanguageCode(const std::string& text, const platform::Os& os) {
  const std::string code =
      text == "0" ? localisation::DefaultLanguageCode(os.UserUiLanguage()) : Utf8ToAnsi(text, os);
  return localisation::IsSafeLanguageCode(code) ? code : localisation::kFallbackLanguageCode;
}

// Stores an element's text in its field: numbers by the leading-integer
// rule, flags as "not zero", strings converted to the ANSI code page.
void Store(const SettingsField& field, const std::string& text, const platform::Os& os,
           SessionSettings& record) {
  const FieldRef ref = field.field(record);
  if (int* const* number = std::get_if<int*>(&ref)) {
    **number = LeadingInteger(text.c_str());
  } else if (bool* const* flag = std::get_if<bool*>(&ref)) {
    **flag = LeadingInteger(text.c_str()) != 0;
  } else if (std::string* const* string = std::get_if<std::string*>(&ref)) {
    **string = field.rule == FieldRule::LanguageCode ? LanguageCode(text, os) : Utf8ToAnsi(text, os);
  }
}

}  // namespace

bool ReadSessionSettings(const std::string& bytes, const platform::Os& os, SessionSettings& record) {
  TiXmlDocument document;
  if (!localisation::ParseXmlDocument(bytes, document)) return false;
  // The root's name is not checked. An element that is missing or has no
  // text leaves its field unchanged.
  const TiXmlElement* root = document.RootElement();
  for (int i = 0; i < kSettingsFieldCount; ++i) {
    const SettingsField& field = kSettingsFields[i];
    if (const std::optional<std::string> text = localisation::ElementText(ElementAt(root, field.path))) {
      Store(field, *text, os, record);
    }
  }
  return true;
}

bool LoadSessionSettingsFile(const platform::Os& os, const std::string& path, SessionSettings& record) {
  const std::optional<std::string> bytes = os.ReadFileBytes(path);
  return bytes && ReadSessionSettings(*bytes, os, record);
}

bool LoadSessionSettings(const platform::Os& os, const std::string& moduleFolder, SessionSettings& record) {
  return LoadSessionSettingsFile(os, SettingsFilePath(moduleFolder), record);
}

std::string SettingsFilePath(const std::string& moduleFolder) {
  return moduleFolder + "\\" + kSettingsFileName;
}

}  // namespace settings
