// Copying the controls into the session settings before they are saved.
#include "capturewindow/CTessivueDlg.h"
#include "localisation/LanguageList.h"
#include "resource.h"
#include "settings/SettingsControls.h"
#include "settings/SettingsFile.h"

void CTessivueDlg::CollectAndSaveSessionSettings() {
  // A window whose start-up did not complete never overwrites the file.
  if (!startUpComplete_ || !moduleFolder_) return;
  settings::SessionSettings& record = settings::ProcessSessionSettings();

  for (int i = 0; i < settings::kSettingsControlFieldCount; ++i) {
    const settings::SettingsControlField& field = settings::kSettingsControlFields[i];
    if (field.value == settings::ControlValue::Check) {
      field.set(record, Window().IsChecked(field.controlId) ? 1 : 0);
      continue;
    }
    // A list without a selection cannot show the stored value (a crop mode
    // of 4, say): the stored value stays.
    const int selection = Window().Selection(field.controlId);
    if (selection < 0) continue;
    if (field.value == settings::ControlValue::ListSelectionAboveZero && selection == 0) continue;
    field.set(record, selection);
  }

  if (Window().IsChecked(IDC_MERGE_HORIZONTAL)) record.MergeHV.direction = 1;
  if (Window().IsChecked(IDC_MERGE_VERTICAL)) record.MergeHV.direction = 2;
  record.Webcam.MergeType = mergeType_;
  record.Webcam.MergePosition = mergePosition_;

  const int language = Window().Selection(IDC_LANGUAGE);
  const localisation::LanguageList& languages = localisation::ProcessLanguageList();
  if (language >= 0 && language < static_cast<int>(languages.size())) {
    record.Language = platform_.os.WideToAnsi(languages[language].code);
  }
  (void)settings::SaveSessionSettings(platform_.os, *moduleFolder_);
}
