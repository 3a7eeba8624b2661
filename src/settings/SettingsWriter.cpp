#include <optional>
#include <string>
#include <variant>

#include "localisation/TextCut.h"
#include "platform/Os.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsFile.h"

#include <tinyxml.h>

namespace settings {
namespace {

// The group element `name` to write into: the parent's last child when it
// is that group (fields of a group are written one after the other), else a
// new group at the end.
TiXmlElement* GroupFor(TiXmlElement* parent, const std::string& name) {
  TiXmlNode* last = parent->LastChild();
  if (last != nullptr && last->ToElement() != nullptr && last->ValueStr() == name) {
    return last->ToElement();
  }
  return static_cast<TiXmlElement*>(parent->LinkEndChild(new TiXmlElement(name)));
}

// Numbers in decimal, flags as "1" or "0", strings from the ANSI code page
// to UTF-8; every conversion is sized by its input.
std::string ValueText(const FieldRef& ref, const platform::Os& os) {
  if (int* const* number = std::get_if<int*>(&ref)) return std::to_string(**number);
  if (bool* const* flag = std::get_if<bool*>(&ref)) return **flag ? "1" : "0";
  const std::string& text = **std::get_if<std::string*>(&ref);
  return os.WideToUtf8(localisation::CutUtf16(os.AnsiToWide(text), kSettingsStringMaxUnits));
}

}  // namespace

std::string FormatSessionSettings(const SessionSettings& record, const platform::Os& os) {
  TiXmlDocument document;
  document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", ""));
  TiXmlElement* root = static_cast<TiXmlElement*>(document.LinkEndChild(new TiXmlElement("Tessivue")));
  SessionSettings values = record;  // the accessors hand out writable fields
  for (int i = 0; i < kSettingsFieldCount; ++i) {
    const SettingsField& field = kSettingsFields[i];
    if (field.rule == FieldRule::ReadOnly) continue;
    const std::string path = field.path;
    TiXmlElement* parent = root;
    size_t start = 0;
    for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', start)) {
      parent = GroupFor(parent, path.substr(start, slash - start));
      start = slash + 1;
    }
    TiXmlElement* element = new TiXmlElement(path.substr(start));
    element->LinkEndChild(new TiXmlText(ValueText(field.field(values), os)));
    parent->LinkEndChild(element);
  }

  TiXmlPrinter printer;
  printer.SetIndent("    ");
  printer.SetLineBreak("\r\n");
  document.Accept(&printer);
  return printer.Str();
}

bool SaveSessionSettingsFile(platform::Os& os, const std::string& path, const SessionSettings& record) {
  // The new settings go to a file beside the old one, which is then replaced
  // in one step, so a failure at any point leaves the old file whole.
  const std::string bytes = FormatSessionSettings(record, os);
  const std::string tempPath = path + ".tmp";
  if (os.WriteFileBytes(tempPath, bytes)) {
    if (os.ReplaceFileAtomically(tempPath, path)) return true;
    (void)os.RemoveFile(tempPath);
    return false;
  }
  const bool tempFileStarted = os.ReadFileBytes(tempPath).has_value();
  (void)os.RemoveFile(tempPath);
  if (tempFileStarted) return false;  // a full disk: the old file stays as it was

  // The folder takes no new file (a program folder without write access),
  // but the settings file itself may be writable: write it in place. Should
  // that stop halfway, the previous contents are put back.
  const std::optional<std::string> previous = os.ReadFileBytes(path);
  if (os.WriteFileBytes(path, bytes)) return true;
  if (previous) (void)os.WriteFileBytes(path, *previous);
  return false;
}

bool SaveSessionSettings(platform::Os& os, const std::string& moduleFolder, const SessionSettings& record) {
  return SaveSessionSettingsFile(os, SettingsFilePath(moduleFolder), record);
}

}  // namespace settings
