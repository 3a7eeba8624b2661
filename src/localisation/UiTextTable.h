// The UI text table: one entry per key with the text and the show and enable
// flags of the controls that use it, filled from a language file.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace localisation {

// The longest text an entry holds, in UTF-16 units.
constexpr size_t kUiTextMaxUnits = 255;

struct UiTextEntry {
  std::u16string text;  // at most kUiTextMaxUnits units, never a split surrogate pair
  int IsShow = 0;       // show command: 0 hides, 1 shows
  int IsEnable = 0;     // 0 disables, any other value enables
};

// Every key, in the order in which a language file is read: the name the
// code uses and the element name in the file. They are the same except for
// IdOk and IdCancel ("IDOK" is a Windows macro). "WordType" is not an entry;
// it is read right after "Pages".
#define PRISMEL_UI_TEXT_KEYS(X)                                                          \
  X(Color, "Color") X(ColorType0, "ColorType0") X(ColorType1, "ColorType1")               \
  X(ColorType2, "ColorType2") X(ColorType3, "ColorType3")                                 \
  X(Cut, "Cut") X(CutType0, "CutType0") X(CutType1, "CutType1") X(CutType2, "CutType2")   \
  X(CutType3, "CutType3") X(CutType4, "CutType4")                                         \
  X(FileFromat, "FileFromat") X(HandCut, "HandCut") X(Merge, "Merge")                     \
  X(Horizontal, "Horizontal") X(Vertical, "Vertical") X(WaterMark, "WaterMark")           \
  X(Webcam, "Webcam") X(WebcamMerge, "WebcamMerge") X(UvcDevice, "UvcDevice")             \
  X(UvcImage, "UvcImage") X(Device, "Device") X(Media, "Media") X(Unit, "Unit")           \
  X(Resolution, "Resolution") X(DPI, "DPI") X(Pix, "Pix") X(Language, "Language")         \
  X(Save, "Save") X(Exit, "Exit") X(Best, "Best")                                         \
  X(Rotate, "Rotate") X(Rotate0, "Rotate0") X(Rotate1, "Rotate1") X(Rotate2, "Rotate2")   \
  X(Rotate3, "Rotate3")                                                                   \
  X(AutoCapture, "AutoCapture") X(AutoCaptureText, "AutoCaptureText")                     \
  X(AutoCaptureManual, "AutoCaptureManual") X(AutoCaptureOption0, "AutoCaptureOption0")   \
  X(AutoCaptureOption1, "AutoCaptureOption1") X(AutoCaptureOption2, "AutoCaptureOption2") \
  X(Capture, "Capture") X(Setting, "Setting") X(IdOk, "IDOK") X(IdCancel, "IDCancel")     \
  X(Process, "Process") X(UnitName, "UnitName") X(End, "End")                             \
  X(Page, "Page") X(Pages, "Pages")                                                       \
  X(WebcamMergeOption, "WebcamMergeOption") X(OutSide, "OutSide") X(InSide, "InSide")     \
  X(WaterMarkOption, "WaterMarkOption") X(WMText, "WMText") X(TimeStamp, "TimeStamp")     \
  X(Font, "Font") X(FontSize, "FontSize") X(FontColor, "FontColor") X(Weight, "Weight")   \
  X(Italic, "Italic") X(Underline, "Underline") X(Transparency, "Transparency")           \
  X(Angle, "Angle") X(Pos, "Pos")                                                         \
  X(Pos0, "Pos0") X(Pos1, "Pos1") X(Pos2, "Pos2") X(Pos3, "Pos3") X(Pos4, "Pos4")         \
  X(Pos5, "Pos5") X(Pos6, "Pos6") X(Pos7, "Pos7") X(Pos8, "Pos8")                         \
  X(NoCamera, "NoCamera") X(Invalid, "Invalid") X(None, "None")                           \
  X(OpenFailed, "OpenFailed") X(CamUsed, "CamUsed") X(ErrCode, "ErrCode")                 \
  X(Error, "Error") X(Version, "Version")                                                 \
  X(add, "add") X(noAdd, "noAdd") X(bili, "bili") X(list, "list")                         \
  X(megrGroup, "megrGroup") X(WaterGroup, "WaterGroup") X(Cam2Group, "Cam2Group")         \
  X(imageGroup, "imageGroup")                                                             \
  X(cam2Setting, "cam2Setting") X(cam2Capture, "cam2Capture") X(AuoFocus, "AuoFocus")     \
  X(listMenuOpen, "listMenuOpen") X(listMenuDelete, "listMenuDelete")                     \
  X(listMenuClear, "listMenuClear") X(listMenuMoveEarlier, "listMenuMoveEarlier")         \
  X(listMenuMoveLater, "listMenuMoveLater") X(listMenuUndo, "listMenuUndo")               \
  X(ZoomIn, "ZoomIn") X(ZoomOut, "ZoomOut") X(ActualSize, "ActualSize")                   \
  X(LivePicture, "LivePicture") X(CaptureKey, "CaptureKey")

// A key of the table. A misspelt key does not compile.
enum class UiText : size_t {
#define PRISMEL_UI_TEXT_ENUMERATOR(name, element) name,
  PRISMEL_UI_TEXT_KEYS(PRISMEL_UI_TEXT_ENUMERATOR)
#undef PRISMEL_UI_TEXT_ENUMERATOR
};

// The element names, in the order of UiText.
inline constexpr const char* kUiTextKeys[] = {
#define PRISMEL_UI_TEXT_ELEMENT(name, element) element,
    PRISMEL_UI_TEXT_KEYS(PRISMEL_UI_TEXT_ELEMENT)
#undef PRISMEL_UI_TEXT_ELEMENT
};

inline constexpr size_t kUiTextKeyCount = sizeof(kUiTextKeys) / sizeof(kUiTextKeys[0]);

// "WordType" is an integer, not an entry; it is read right after this key.
inline constexpr UiText kKeyBeforeWordType = UiText::Pages;

// The element name of a key.
constexpr const char* ElementName(UiText key) { return kUiTextKeys[static_cast<size_t>(key)]; }

// Texts that only describe controls: tips and the names assistive
// technology reads. Their flags are not used, and a language file without
// one of them gives its English text, so that no control is ever left
// without its description.
struct DescriptionText {
  UiText key;
  const char16_t* english;
};
inline constexpr DescriptionText kDescriptionTexts[] = {
    {UiText::ZoomIn, u"Zoom in"},
    {UiText::ZoomOut, u"Zoom out"},
    {UiText::ActualSize, u"Actual size"},
    {UiText::LivePicture, u"Live picture"},
    {UiText::CaptureKey, u"Space bar: capture"},
};

class UiTextTable {
 public:
  // Every entry empty, hidden and disabled, except that the descriptions
  // hold their English texts.
  UiTextTable() { ResetDescriptions(); }
  // Puts the English texts back into the descriptions.
  void ResetDescriptions() {
    for (const DescriptionText& description : kDescriptionTexts) {
      (*this)[description.key].text = description.english;
    }
  }

  UiTextEntry& operator[](UiText key) { return entries_[static_cast<size_t>(key)]; }
  const UiTextEntry& operator[](UiText key) const { return entries_[static_cast<size_t>(key)]; }
  const std::u16string& Text(UiText key) const { return (*this)[key].text; }

  // Word order of the page counter: 0 "Page 3", 1 "3 Pages".
  int WordType = 0;

 private:
  std::array<UiTextEntry, kUiTextKeyCount> entries_{};
};

// The page counter of the auto-capture dialog: with WordType 0 the "Page"
// text, a space and the count; with 1 the count, a space and "Page" below two
// pages, else "Pages"; empty for any other WordType.
std::u16string PageCounterText(const UiTextTable& table, int count);

}  // namespace localisation
