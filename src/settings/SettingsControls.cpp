#include "settings/SettingsControls.h"

#include <variant>

#include "platform/Ui.h"
#include "resource.h"
#include "settings/SettingsFields.h"

namespace settings {

const SettingsControlField kSettingsControlFields[] = {
    {IDC_COLOR_MODE, ControlValue::ListSelection, "colorType"},
    {IDC_CROP_MODE, ControlValue::ListSelection, "cutType"},
    {IDC_FILE_FORMAT, ControlValue::ListSelection, "fileType"},
    {IDC_ROTATE, ControlValue::ListSelection, "rotateType"},
    {IDC_AUTO_CAPTURE_MODE, ControlValue::ListSelection, "autoCaptureType"},
    {IDC_UNIT, ControlValue::ListSelection, "SizeUnit"},
    {IDC_MERGE, ControlValue::Check, "MergeHV/isEnable"},
    {IDC_SECONDARY_CAMERA, ControlValue::Check, "Webcam/isEnable"},
    {IDC_SECONDARY_MERGE, ControlValue::Check, "Webcam/isMerge"},
    {IDC_WATERMARK, ControlValue::Check, "WaterMark/isEnable"},
    {IDC_MEDIA_TYPE, ControlValue::ListSelectionAboveZero, "MediaType"},
};

const int kSettingsControlFieldCount =
    static_cast<int>(sizeof(kSettingsControlFields) / sizeof(kSettingsControlFields[0]));

void StoreControlValue(const SettingsControlField& field, int value, SessionSettings& record) {
  if (field.value != ControlValue::Check && value < 0) return;
  if (field.value == ControlValue::ListSelectionAboveZero && value == 0) return;
  const SettingsField* described = FindSettingsField(field.path);
  if (described == nullptr) return;
  const FieldRef ref = described->field(record);
  if (int* const* number = std::get_if<int*>(&ref)) **number = value;
  if (bool* const* flag = std::get_if<bool*>(&ref)) **flag = value != 0;
}

void CollectControlValues(const platform::Window& window, SessionSettings& record) {
  for (int i = 0; i < kSettingsControlFieldCount; ++i) {
    const SettingsControlField& field = kSettingsControlFields[i];
    const int value = field.value == ControlValue::Check ? (window.IsChecked(field.controlId) ? 1 : 0)
                                                          : window.Selection(field.controlId);
    StoreControlValue(field, value, record);
  }
}

}  // namespace settings
