// Which control of the capture window keeps which settings field, for the
// walk that collects the controls into the record before a save and the one
// that restores them after a load.
#pragma once

#include "settings/SessionSettings.h"

namespace settings {

enum class ControlValue {
  ListSelection,           // current selection index of a list
  ListSelectionAboveZero,  // selection index, stored only when greater than 0
  Check,                   // check state of a check box, 1 or 0
};

struct SettingsControlField {
  int controlId;
  ControlValue value;
  int (*get)(const SessionSettings& record);
  void (*set)(SessionSettings& record, int value);
};

// In the order of collecting. The merge direction radios (1008, 1009) and the
// language box (1099) need their own steps and are not in the table; the
// watermark options and the merge type and position come from the option
// dialogs' values, not from controls.
extern const SettingsControlField kSettingsControlFields[];
extern const int kSettingsControlFieldCount;

// The control of one field, or null for an id not in the table.
const SettingsControlField* FindSettingsControlField(int controlId);

// Stores a control's value (selection index, or 1/0 for a check box) in the
// field, except that a ListSelectionAboveZero field keeps its value for an
// index of 0 or less: that list's own handler keeps the field current.
void StoreControlValue(const SettingsControlField& field, int value, SessionSettings& record);

}  // namespace settings
