#include "settings/SettingsControls.h"

namespace settings {

const SettingsControlField kSettingsControlFields[] = {
    {1004, ControlValue::ListSelection, [](const SessionSettings& s) { return s.colorType; },
     [](SessionSettings& s, int value) { s.colorType = value; }},
    {1005, ControlValue::ListSelection, [](const SessionSettings& s) { return s.cutType; },
     [](SessionSettings& s, int value) { s.cutType = value; }},
    {1006, ControlValue::ListSelection, [](const SessionSettings& s) { return s.fileType; },
     [](SessionSettings& s, int value) { s.fileType = value; }},
    {1026, ControlValue::ListSelection, [](const SessionSettings& s) { return s.rotateType; },
     [](SessionSettings& s, int value) { s.rotateType = value; }},
    {1095, ControlValue::ListSelection, [](const SessionSettings& s) { return s.autoCaptureType; },
     [](SessionSettings& s, int value) { s.autoCaptureType = value; }},
    {1098, ControlValue::ListSelection, [](const SessionSettings& s) { return s.SizeUnit; },
     [](SessionSettings& s, int value) { s.SizeUnit = value; }},
    {1007, ControlValue::Check, [](const SessionSettings& s) { return s.MergeHV.isEnable ? 1 : 0; },
     [](SessionSettings& s, int value) { s.MergeHV.isEnable = value != 0; }},
    {1014, ControlValue::Check, [](const SessionSettings& s) { return s.Webcam.isEnable ? 1 : 0; },
     [](SessionSettings& s, int value) { s.Webcam.isEnable = value != 0; }},
    {1073, ControlValue::Check, [](const SessionSettings& s) { return s.Webcam.isMerge ? 1 : 0; },
     [](SessionSettings& s, int value) { s.Webcam.isMerge = value != 0; }},
    {1010, ControlValue::Check, [](const SessionSettings& s) { return s.WaterMark.isEnable ? 1 : 0; },
     [](SessionSettings& s, int value) { s.WaterMark.isEnable = value != 0; }},
    {1020, ControlValue::ListSelectionAboveZero, [](const SessionSettings& s) { return s.MediaType; },
     [](SessionSettings& s, int value) { s.MediaType = value; }},
};

const int kSettingsControlFieldCount =
    static_cast<int>(sizeof(kSettingsControlFields) / sizeof(kSettingsControlFields[0]));

const SettingsControlField* FindSettingsControlField(int controlId) {
  for (const SettingsControlField& field : kSettingsControlFields) {
    if (field.controlId == controlId) return &field;
  }
  return nullptr;
}

// Collects one control's value into its field, following the field's rule.
void StoreControlValue(const SettingsControlField& field, int value, SessionSettings& record) {
  if (field.value == ControlValue::ListSelectionAboveZero && value <= 0) return;
  field.set(record, value);
}

}  // namespace settings
