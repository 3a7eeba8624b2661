#include <memory>
#include <string>

#include "localisation/TextCut.h"
#include "platform/Os.h"
#include "settings/SettingsFile.h"

#include <tinyxml.h>

namespace settings {
namespace {

// Builds the element tree in the order of the file.
class Builder {
 public:
  explicit Builder(const platform::Os& os) : os_(os) {}

  TiXmlElement* Group(TiXmlNode* parent, const char* name) {
    return static_cast<TiXmlElement*>(parent->LinkEndChild(new TiXmlElement(name)));
  }
  void Value(TiXmlNode* parent, const char* name, const std::string& text) {
    TiXmlElement* element = Group(parent, name);
    element->LinkEndChild(new TiXmlText(text));
  }
  void Int(TiXmlNode* parent, const char* name, int value) { Value(parent, name, std::to_string(value)); }
  void Flag(TiXmlNode* parent, const char* name, bool value) { Value(parent, name, value ? "1" : "0"); }
  // ANSI in memory, UTF-8 in the file; every conversion is sized by its input.
  void Ansi(TiXmlNode* parent, const char* name, const std::string& text) {
    Value(parent, name, os_.WideToUtf8(localisation::CutUtf16(os_.AnsiToWide(text), kSettingsStringMaxUnits)));
  }

 private:
  const platform::Os& os_;
};

}  // namespace

std::string FormatSessionSettings(const SessionSettings& s, const platform::Os& os) {
  TiXmlDocument document;
  document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", ""));
  Builder b(os);
  TiXmlElement* root = b.Group(&document, "Tessivue");
  b.Int(root, "colorType", s.colorType);
  b.Int(root, "cutType", s.cutType);
  b.Int(root, "HandCut", s.HandCut);
  b.Int(root, "EdgeBorder", s.EdgeBorder);
  b.Int(root, "fileType", s.fileType);
  b.Int(root, "rotateType", s.rotateType);
  b.Int(root, "autoCaptureType", s.autoCaptureType);

  TiXmlElement* webcam = b.Group(root, "Webcam");
  b.Flag(webcam, "isEnable", s.Webcam.isEnable);
  b.Flag(webcam, "isMerge", s.Webcam.isMerge);
  b.Int(webcam, "MergeType", s.Webcam.MergeType);
  b.Int(webcam, "MergePosition", s.Webcam.MergePosition);
  b.Int(webcam, "WebcamHeight", s.Webcam.WebcamHeight);
  b.Int(webcam, "WebcamWidth", s.Webcam.WebcamWidth);

  TiXmlElement* merge = b.Group(root, "MergeHV");
  b.Flag(merge, "isEnable", s.MergeHV.isEnable);
  b.Int(merge, "direction", s.MergeHV.direction);

  const WaterMarkSettings& m = s.WaterMark;
  TiXmlElement* mark = b.Group(root, "WaterMark");
  b.Flag(mark, "isEnable", m.isEnable);
  b.Ansi(mark, "text", m.text);
  b.Ansi(mark, "font", m.font);
  b.Int(mark, "WordSize", m.WordSize);
  b.Flag(mark, "isWeight", m.isWeight);
  b.Flag(mark, "isItalic", m.isItalic);
  b.Flag(mark, "isUnderline", m.isUnderline);
  TiXmlElement* color = b.Group(mark, "color");
  b.Int(color, "R", m.color.R);
  b.Int(color, "G", m.color.G);
  b.Int(color, "B", m.color.B);
  b.Int(mark, "transparency", m.transparency);
  b.Int(mark, "angle", m.angle);
  b.Int(mark, "position", m.position);
  b.Flag(mark, "isAddTimeStamp", m.isAddTimeStamp);

  TiXmlElement* dpi = b.Group(root, "DPI");
  b.Flag(dpi, "isSetDPI", s.DPI.isSetDPI);
  b.Int(dpi, "ImageDPI", s.DPI.ImageDPI);
  b.Int(dpi, "MainHeight", s.DPI.MainHeight);
  b.Int(dpi, "MainWidth", s.DPI.MainWidth);

  b.Ansi(root, "Language", s.Language);
  b.Int(root, "ShowUIUpdataOneByOne", s.ShowUIUpdataOneByOne);
  b.Int(root, "SizeUnit", s.SizeUnit);
  b.Int(root, "MediaType", s.MediaType);

  TiXmlPrinter printer;
  printer.SetIndent("    ");
  printer.SetLineBreak("\r\n");
  document.Accept(&printer);
  return printer.Str();
}

bool SaveSessionSettingsFile(platform::Os& os, const std::string& path, const SessionSettings& record) {
  // The new settings go to a file beside the old one, which is then replaced
  // in one step, so a failure at any point leaves the old file whole.
  const std::string tempPath = path + ".tmp";
  if (os.WriteFileBytes(tempPath, FormatSessionSettings(record, os)) &&
      os.ReplaceFileAtomically(tempPath, path)) {
    return true;
  }
  (void)os.RemoveFile(tempPath);
  return false;
}

bool SaveSessionSettings(platform::Os& os, const std::string& moduleFolder) {
  return SaveSessionSettingsFile(os, SettingsFilePath(moduleFolder), ProcessSessionSettings());
}

}  // namespace settings
