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

// Every key, in the order in which a language file is read ("WordType" is
// not an entry and is read between "Pages" and "WebcamMergeOption").
inline constexpr const char* kUiTextKeys[] = {
    "Color", "ColorType0", "ColorType1", "ColorType2", "ColorType3",
    "Cut", "CutType0", "CutType1", "CutType2", "CutType3", "CutType4",
    "FileFromat", "HandCut", "Merge", "Horizontal", "Vertical", "WaterMark",
    "Webcam", "WebcamMerge", "UvcDevice", "UvcImage", "Device", "Media",
    "Unit", "Resolution", "DPI", "Pix", "Language", "Save", "Exit", "Best",
    "Rotate", "Rotate0", "Rotate1", "Rotate2", "Rotate3",
    "AutoCapture", "AutoCaptureText", "AutoCaptureManual",
    "AutoCaptureOption0", "AutoCaptureOption1", "AutoCaptureOption2",
    "Capture", "Setting", "IDOK", "IDCancel", "Process", "UnitName", "End",
    "Page", "Pages",
    "WebcamMergeOption", "OutSide", "InSide", "WaterMarkOption", "WMText",
    "TimeStamp", "Font", "FontSize", "FontColor", "Weight", "Italic",
    "Underline", "Transparency", "Angle", "Pos",
    "Pos0", "Pos1", "Pos2", "Pos3", "Pos4", "Pos5", "Pos6", "Pos7", "Pos8",
    "NoCamera", "Invalid", "None", "OpenFailed", "CamUsed", "ErrCode", "Error",
    "Version", "add", "noAdd", "bili", "list",
    "megrGroup", "WaterGroup", "Cam2Group", "imageGroup",
    "cam2Setting", "cam2Capture", "AuoFocus",
    "listMenuOpen", "listMenuDelete", "listMenuClear",
};

inline constexpr size_t kUiTextKeyCount = sizeof(kUiTextKeys) / sizeof(kUiTextKeys[0]);

// "WordType" is an integer, not an entry; it is read right after this key.
inline constexpr const char* kKeyBeforeWordType = "Pages";

class UiTextTable {
 public:
  // The entry of a key of kUiTextKeys, or null for any other name.
  UiTextEntry* Find(const std::string& key);
  const UiTextEntry* Find(const std::string& key) const;
  // The entry of a key that must exist; an unknown key gives an empty,
  // hidden and disabled entry.
  const UiTextEntry& At(const std::string& key) const;
  // The entry at the position of kUiTextKeys.
  UiTextEntry& EntryAt(size_t index) { return entries_[index]; }
  const UiTextEntry& EntryAt(size_t index) const { return entries_[index]; }

  // Word order of the page counter: 0 "Page 3", 1 "3 Pages".
  int WordType = 0;

 private:
  std::array<UiTextEntry, kUiTextKeyCount> entries_{};
};

// The process-wide table, zeroed at process start.
UiTextTable& ProcessUiTextTable();

// The page counter of the auto-capture dialog: with WordType 0 the "Page"
// text, a space and the count; with 1 the count, a space and "Page" below two
// pages, else "Pages"; empty for any other WordType.
std::u16string PageCounterText(const UiTextTable& table, int count);

}  // namespace localisation
