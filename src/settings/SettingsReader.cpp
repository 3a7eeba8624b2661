#include <optional>

#include "localisation/DefaultLanguage.h"
#include "localisation/LanguageFiles.h"
#include "localisation/TextCut.h"
#include "localisation/XmlReading.h"
#include "platform/Os.h"
#include "settings/SettingsFile.h"

namespace settings {
namespace {

using localisation::ChildElement;
using localisation::ElementText;
using localisation::LeadingInteger;

// Each Read* leaves the field unchanged when the element or its text is missing.
void ReadInt(const TiXmlNode* parent, const char* name, int& field) {
  if (const std::optional<std::string> text = ElementText(ChildElement(parent, name))) {
    field = LeadingInteger(text->c_str());
  }
}

void ReadFlag(const TiXmlNode* parent, const char* name, bool& field) {
  if (const std::optional<std::string> text = ElementText(ChildElement(parent, name))) {
    field = LeadingInteger(text->c_str()) != 0;
  }
}

// UTF-8 in the file, the ANSI code page in memory.
std::string Utf8ToAnsi(const std::string& text, const platform::Os& os) {
  return os.WideToAnsi(localisation::CutUtf16(os.Utf8ToWide(text), kSettingsStringMaxUnits));
}

void ReadString(const TiXmlNode* parent, const char* name, const platform::Os& os, std::string& field) {
  if (const std::optional<std::string> text = ElementText(ChildElement(parent, name))) {
    field = Utf8ToAnsi(*text, os);
  }
}

// "0" follows the user's UI language. The code names a file, so anything
// that is not a plain short code becomes the fallback language.
void ReadLanguage(const TiXmlNode* root, const platform::Os& os, std::string& field) {
  const std::optional<std::string> text = ElementText(ChildElement(root, "Language"));
  if (!text) return;
  const std::string code =
      *text == "0" ? localisation::DefaultLanguageCode(os.UserUiLanguage()) : Utf8ToAnsi(*text, os);
  field = localisation::IsSafeLanguageCode(code) ? code : localisation::kFallbackLanguageCode;
}

}  // namespace

bool ReadSessionSettings(const std::string& bytes, const platform::Os& os, SessionSettings& record) {
  TiXmlDocument document;
  if (!localisation::ParseXmlDocument(bytes, document)) return false;
  // The root's name is not checked.
  const TiXmlElement* root = document.RootElement();

  ReadInt(root, "colorType", record.colorType);
  ReadInt(root, "cutType", record.cutType);
  ReadInt(root, "fileType", record.fileType);
  ReadInt(root, "HandCut", record.HandCut);
  ReadInt(root, "EdgeBorder", record.EdgeBorder);
  ReadInt(root, "rotateType", record.rotateType);
  ReadInt(root, "autoCaptureType", record.autoCaptureType);

  if (const TiXmlElement* webcam = ChildElement(root, "Webcam")) {
    WebcamSettings& w = record.Webcam;
    ReadFlag(webcam, "isEnable", w.isEnable);
    ReadFlag(webcam, "isMerge", w.isMerge);
    ReadInt(webcam, "MergeType", w.MergeType);
    ReadInt(webcam, "MergePosition", w.MergePosition);
    ReadInt(webcam, "WebcamHeight", w.WebcamHeight);
    ReadInt(webcam, "WebcamWidth", w.WebcamWidth);
  }
  if (const TiXmlElement* merge = ChildElement(root, "MergeHV")) {
    ReadFlag(merge, "isEnable", record.MergeHV.isEnable);
    ReadInt(merge, "direction", record.MergeHV.direction);
  }
  if (const TiXmlElement* mark = ChildElement(root, "WaterMark")) {
    WaterMarkSettings& m = record.WaterMark;
    ReadFlag(mark, "isEnable", m.isEnable);
    ReadString(mark, "text", os, m.text);
    ReadString(mark, "font", os, m.font);
    ReadInt(mark, "WordSize", m.WordSize);
    ReadFlag(mark, "isWeight", m.isWeight);
    ReadFlag(mark, "isItalic", m.isItalic);
    ReadFlag(mark, "isUnderline", m.isUnderline);
    if (const TiXmlElement* color = ChildElement(mark, "color")) {
      ReadInt(color, "R", m.color.R);
      ReadInt(color, "G", m.color.G);
      ReadInt(color, "B", m.color.B);
    }
    ReadInt(mark, "transparency", m.transparency);
    ReadInt(mark, "angle", m.angle);
    ReadInt(mark, "position", m.position);
    ReadFlag(mark, "isAddTimeStamp", m.isAddTimeStamp);
  }
  if (const TiXmlElement* dpi = ChildElement(root, "DPI")) {
    ReadFlag(dpi, "isSetDPI", record.DPI.isSetDPI);
    ReadInt(dpi, "ImageDPI", record.DPI.ImageDPI);
    ReadInt(dpi, "MainHeight", record.DPI.MainHeight);
    ReadInt(dpi, "MainWidth", record.DPI.MainWidth);
  }
  ReadLanguage(root, os, record.Language);
  ReadInt(root, "ShowUIUpdataOneByOne", record.ShowUIUpdataOneByOne);
  ReadInt(root, "SizeUnit", record.SizeUnit);
  // Read after DPI/ImageDPI, so a root-level ImageDPI wins.
  ReadInt(root, "ImageDPI", record.DPI.ImageDPI);
  ReadInt(root, "MediaType", record.MediaType);
  return true;
}

bool LoadSessionSettingsFile(const platform::Os& os, const std::string& path, SessionSettings& record) {
  const std::optional<std::string> bytes = os.ReadFileBytes(path);
  return bytes && ReadSessionSettings(*bytes, os, record);
}

bool LoadSessionSettings(const platform::Os& os, const std::string& moduleFolder) {
  return LoadSessionSettingsFile(os, SettingsFilePath(moduleFolder), ProcessSessionSettings());
}

std::string SettingsFilePath(const std::string& moduleFolder) {
  return moduleFolder + "\\" + kSettingsFileName;
}

}  // namespace settings
