#include "settings/SettingsControls.h"

namespace settings {

#define PRISMEL_INT_FIELD(field)                                   \
  [](const SessionSettings& s) { return static_cast<int>(s.field); }, \
      [](SessionSettings& s, int value) { s.field = value; }
#define PRISMEL_FLAG_FIELD(field)                                  \
  [](const SessionSettings& s) { return s.field ? 1 : 0; },          \
      [](SessionSettings& s, int value) { s.field = value != 0; }

const SettingsControlField kSettingsControlFields[] = {
    {1004, ControlValue::ListSelection, PRISMEL_INT_FIELD(colorType)},
    {1005, ControlValue::ListSelection, PRISMEL_INT_FIELD(cutType)},
    {1006, ControlValue::ListSelection, PRISMEL_INT_FIELD(fileType)},
    {1026, ControlValue::ListSelection, PRISMEL_INT_FIELD(rotateType)},
    {1095, ControlValue::ListSelection, PRISMEL_INT_FIELD(autoCaptureType)},
    {1098, ControlValue::ListSelection, PRISMEL_INT_FIELD(SizeUnit)},
    {1007, ControlValue::Check, PRISMEL_FLAG_FIELD(MergeHV.isEnable)},
    {1014, ControlValue::Check, PRISMEL_FLAG_FIELD(Webcam.isEnable)},
    {1073, ControlValue::Check, PRISMEL_FLAG_FIELD(Webcam.isMerge)},
    {1010, ControlValue::Check, PRISMEL_FLAG_FIELD(WaterMark.isEnable)},
    {1020, ControlValue::ListSelectionAboveZero, PRISMEL_INT_FIELD(MediaType)},
};

#undef PRISMEL_INT_FIELD
#undef PRISMEL_FLAG_FIELD

const int kSettingsControlFieldCount =
    static_cast<int>(sizeof(kSettingsControlFields) / sizeof(kSettingsControlFields[0]));

const SettingsControlField* FindSettingsControlField(int controlId) {
  for (const SettingsControlField& field : kSettingsControlFields) {
    if (field.controlId == controlId) return &field;
  }
  return nullptr;
}

}  // namespace settings
