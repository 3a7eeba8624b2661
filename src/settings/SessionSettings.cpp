#include "settings/SessionSettings.h"

#include <tuple>

namespace settings {
namespace {

auto Fields(const SessionSettings& s) {
  const WebcamSettings& w = s.Webcam;
  const WaterMarkSettings& m = s.WaterMark;
  return std::tie(s.colorType, s.cutType, s.fileType, s.HandCut, s.EdgeBorder, s.rotateType,
                  s.autoCaptureType, w.isEnable, w.isMerge, w.MergeType, w.MergePosition,
                  w.WebcamHeight, w.WebcamWidth, s.MergeHV.isEnable, s.MergeHV.direction,
                  m.isEnable, m.text, m.font, m.WordSize, m.isWeight, m.isItalic, m.isUnderline,
                  m.color.R, m.color.G, m.color.B, m.transparency, m.angle, m.position,
                  m.isAddTimeStamp, s.DPI.isSetDPI, s.DPI.ImageDPI, s.DPI.MainHeight,
                  s.DPI.MainWidth, s.Language, s.ShowUIUpdataOneByOne, s.SizeUnit, s.MediaType);
}

}  // namespace

bool operator==(const SessionSettings& a, const SessionSettings& b) { return Fields(a) == Fields(b); }

}  // namespace settings
