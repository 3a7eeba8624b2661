// Which control of the capture window keeps which settings field, and the
// walk that copies the controls into the record before a save.
#pragma once

#include "settings/SessionSettings.h"

namespace platform {
class Window;
}

namespace settings {

enum class ControlValue {
  ListSelection,           // current selection index of a list
  ListSelectionAboveZero,  // selection index, stored only when greater than 0
  Check,                   // check state of a check box, 1 or 0
};

struct SettingsControlField {
  int controlId;
  ControlValue value;
  const char* path;  // the field's element path in the settings file
};

// In the order of collecting. The merge direction radios (1008, 1009) and the
// language box (1099) need their own steps and are not in the table; the
// watermark options and the merge type and position come from the option
// dialogs' values, not from controls.
extern const SettingsControlField kSettingsControlFields[];
extern const int kSettingsControlFieldCount;

// Stores a control's value (selection index, or 1/0 for a check box) in its
// field. A list without a selection (-1) cannot show the stored value (a crop
// mode of 4, say), so the field keeps it; a ListSelectionAboveZero field also
// keeps its value for index 0, because that list's own handler keeps it current.
void StoreControlValue(const SettingsControlField& field, int value, SessionSettings& record);

// Copies every control of the table from the capture window into `record`.
void CollectControlValues(const platform::Window& window, SessionSettings& record);

}  // namespace settings
