#include "settings/SettingsFields.h"

#include <cstring>

namespace settings {

// One accessor per field: the lambdas only name the member.
#define PRISMEL_FIELD(member) [](SessionSettings& s) -> FieldRef { return &s.member; }

const SettingsField kSettingsFields[] = {
    {"colorType", PRISMEL_FIELD(colorType)},
    {"cutType", PRISMEL_FIELD(cutType)},
    {"HandCut", PRISMEL_FIELD(HandCut)},
    {"EdgeBorder", PRISMEL_FIELD(EdgeBorder)},
    {"fileType", PRISMEL_FIELD(fileType)},
    {"rotateType", PRISMEL_FIELD(rotateType)},
    {"autoCaptureType", PRISMEL_FIELD(autoCaptureType)},
    {"Webcam/isEnable", PRISMEL_FIELD(Webcam.isEnable)},
    {"Webcam/isMerge", PRISMEL_FIELD(Webcam.isMerge)},
    {"Webcam/MergeType", PRISMEL_FIELD(Webcam.MergeType)},
    {"Webcam/MergePosition", PRISMEL_FIELD(Webcam.MergePosition)},
    {"Webcam/WebcamHeight", PRISMEL_FIELD(Webcam.WebcamHeight)},
    {"Webcam/WebcamWidth", PRISMEL_FIELD(Webcam.WebcamWidth)},
    {"MergeHV/isEnable", PRISMEL_FIELD(MergeHV.isEnable)},
    {"MergeHV/direction", PRISMEL_FIELD(MergeHV.direction)},
    {"WaterMark/isEnable", PRISMEL_FIELD(WaterMark.isEnable)},
    {"WaterMark/text", PRISMEL_FIELD(WaterMark.text)},
    {"WaterMark/font", PRISMEL_FIELD(WaterMark.font)},
    {"WaterMark/WordSize", PRISMEL_FIELD(WaterMark.WordSize)},
    {"WaterMark/isWeight", PRISMEL_FIELD(WaterMark.isWeight)},
    {"WaterMark/isItalic", PRISMEL_FIELD(WaterMark.isItalic)},
    {"WaterMark/isUnderline", PRISMEL_FIELD(WaterMark.isUnderline)},
    {"WaterMark/color/R", PRISMEL_FIELD(WaterMark.color.R)},
    {"WaterMark/color/G", PRISMEL_FIELD(WaterMark.color.G)},
    {"WaterMark/color/B", PRISMEL_FIELD(WaterMark.color.B)},
    {"WaterMark/transparency", PRISMEL_FIELD(WaterMark.transparency)},
    {"WaterMark/angle", PRISMEL_FIELD(WaterMark.angle)},
    {"WaterMark/position", PRISMEL_FIELD(WaterMark.position)},
    {"WaterMark/isAddTimeStamp", PRISMEL_FIELD(WaterMark.isAddTimeStamp)},
    {"DPI/isSetDPI", PRISMEL_FIELD(DPI.isSetDPI)},
    {"DPI/ImageDPI", PRISMEL_FIELD(DPI.ImageDPI)},
    {"DPI/MainHeight", PRISMEL_FIELD(DPI.MainHeight)},
    {"DPI/MainWidth", PRISMEL_FIELD(DPI.MainWidth)},
    {"Language", PRISMEL_FIELD(Language), FieldRule::LanguageCode},
    {"ShowUIUpdataOneByOne", PRISMEL_FIELD(ShowUIUpdataOneByOne)},
    {"SizeUnit", PRISMEL_FIELD(SizeUnit)},
    {"ImageDPI", PRISMEL_FIELD(DPI.ImageDPI), FieldRule::ReadOnly},
    {"MediaType", PRISMEL_FIELD(MediaType)},
};

#undef PRISMEL_FIELD

const int kSettingsFieldCount = static_cast<int>(sizeof(kSettingsFields) / sizeof(kSettingsFields[0]));

const SettingsField* FindSettingsField(const char* path) {
  for (const SettingsField& field : kSettingsFields) {
    if (field.rule != FieldRule::ReadOnly && std::strcmp(field.path, path) == 0) return &field;
  }
  return nullptr;
}

}  // namespace settings
