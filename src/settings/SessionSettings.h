// The choices remembered between sessions: one record per process, owned by
// the capture window, whose fields carry the names of the settings file's
// elements.
#pragma once

#include <string>

namespace settings {

struct WebcamSettings {
  bool isEnable = false;  // secondary camera on
  bool isMerge = false;   // merge its picture into the main picture
  int MergeType = 0;
  int MergePosition = 2;
  int WebcamHeight = 0;
  int WebcamWidth = 0;
};

struct MergeHVSettings {
  bool isEnable = false;  // two-picture merge on
  int direction = 1;      // 1 horizontal, 2 vertical
};

struct WaterMarkColor {
  int R = 255;
  int G = 0;
  int B = 0;
};

struct WaterMarkSettings {
  bool isEnable = false;
  std::string text;           // ANSI code page
  std::string font = "Arial";  // ANSI code page
  int WordSize = 36;
  bool isWeight = false;
  bool isItalic = false;
  bool isUnderline = false;
  WaterMarkColor color;
  int transparency = 70;  // percent
  int angle = 30;         // degrees
  int position = 4;       // 0..8 on the 3x3 grid, row by row; 4 is the middle
  bool isAddTimeStamp = true;
};

struct DpiSettings {
  bool isSetDPI = false;  // kept as read; nothing changes it
  int ImageDPI = 200;
  int MainHeight = 0;
  int MainWidth = 0;
};

struct SessionSettings {
  int colorType = 0;
  int cutType = 1;
  int fileType = 1;  // 0 BMP, 1 JPEG, 2 PNG
  int HandCut = 0;
  int EdgeBorder = 0;
  int rotateType = 0;
  int autoCaptureType = 0;
  WebcamSettings Webcam;
  MergeHVSettings MergeHV;
  WaterMarkSettings WaterMark;
  DpiSettings DPI;
  std::string Language = "EN";  // ANSI code page; stem of the language file
  int ShowUIUpdataOneByOne = 0;  // kept as read; nothing changes it
  int SizeUnit = 0;
  int MediaType = 0;
};

bool operator==(const SessionSettings& a, const SessionSettings& b);
inline bool operator!=(const SessionSettings& a, const SessionSettings& b) { return !(a == b); }

}  // namespace settings
