#include "localisation/LanguageFiles.h"

#include "localisation/TextCut.h"
#include "localisation/XmlReading.h"
#include "platform/Os.h"

namespace localisation {
namespace {

constexpr size_t kMaxLanguageCodeLength = 16;

// Sets `flag` from the attribute when the element has it.
void ReadFlag(const TiXmlElement& element, const char* attribute, int& flag) {
  if (const char* value = element.Attribute(attribute)) flag = LeadingInteger(value);
}

void ReadEntry(const TiXmlElement& uiText, const char* key, const platform::Os& os, UiTextEntry& entry) {
  const TiXmlElement* element = ChildElement(&uiText, key);
  if (!element) return;
  ReadFlag(*element, "IsShow", entry.IsShow);
  ReadFlag(*element, "IsEnable", entry.IsEnable);
  if (const std::optional<std::string> text = ElementText(element)) {
    entry.text = CutUtf16(os.Utf8ToWide(*text), kUiTextMaxUnits);
  }
}

}  // namespace

bool IsSafeLanguageCode(const std::string& code) {
  if (code.empty() || code.size() > kMaxLanguageCodeLength) return false;
  for (char c : code) {
    if (c == '\\' || c == '/' || c == ':' || c == '.') return false;
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  }
  return true;
}

std::string LanguageListPath(const std::string& moduleFolder) {
  return moduleFolder + "\\Language\\Language.xml";
}

std::string LanguageFilePath(const std::string& moduleFolder, const std::string& code) {
  const std::string& stem = IsSafeLanguageCode(code) ? code : std::string(kFallbackLanguageCode);
  return moduleFolder + "\\Language\\" + stem + ".xml";
}

bool ReadUiTexts(const std::string& bytes, const platform::Os& os, UiTextTable& table) {
  TiXmlDocument document;
  if (!ParseXmlDocument(bytes, document)) return false;
  const TiXmlElement* uiText = ChildElement(&document, "UIText");
  if (!uiText) return true;
  // A description this file lacks is the English one, not the previous
  // language's.
  table.ResetDescriptions();
  for (size_t i = 0; i < kUiTextKeyCount; ++i) {
    const UiText key = static_cast<UiText>(i);
    ReadEntry(*uiText, ElementName(key), os, table[key]);
    if (key == kKeyBeforeWordType) {
      // A "WordType" without text keeps the current word order.
      if (const std::optional<std::string> wordType = ElementText(ChildElement(uiText, "WordType"))) {
        table.WordType = LeadingInteger(wordType->c_str());
      }
    }
  }
  return true;
}

bool LoadUiTexts(const std::string& path, const platform::Os& os, UiTextTable& table) {
  const std::optional<std::string> bytes = os.ReadFileBytes(path);
  return bytes && ReadUiTexts(*bytes, os, table);
}

bool ReadLanguageList(const std::string& bytes, const platform::Os& os, LanguageList& list) {
  TiXmlDocument document;
  if (!ParseXmlDocument(bytes, document)) return false;
  list.clear();
  const TiXmlElement* info = ChildElement(&document, "LanguageInfo");
  // A flag missing from an entry carries over from the entry before; the
  // first entry starts shown and enabled.
  int isShow = 1;
  int isEnable = 1;
  for (const TiXmlElement* element = ChildElement(info, "Language"); element;
       element = element->NextSiblingElement()) {
    ReadFlag(*element, "IsShow", isShow);
    ReadFlag(*element, "IsEnable", isEnable);
    LanguageEntry entry;
    entry.IsShow = isShow;
    entry.IsEnable = isEnable;
    // The display name is the first attribute, whatever its name.
    if (const TiXmlAttribute* first = element->FirstAttribute()) {
      entry.name = os.Utf8ToWide(first->Value());
      if (const std::optional<std::string> code = ElementText(element)) entry.code = os.Utf8ToWide(*code);
    }
    list.push_back(entry);
  }
  return !list.empty();
}

bool LoadLanguageList(const std::string& path, const platform::Os& os, LanguageList& list) {
  const std::optional<std::string> bytes = os.ReadFileBytes(path);
  return bytes && ReadLanguageList(*bytes, os, list);
}

}  // namespace localisation
