// capturewindow/WindowTexts.h: the language of the capture window. Owns the
// language list and box (1099), the text pass that puts captions, list
// items, visibility and enabled states on the controls, the fixed pass that
// hides what this window never shows, and the status bar with the version.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "context/CaptureContext.h"
#include "localisation/LanguageList.h"

namespace capturewindow {

class WindowTexts {
 public:
  explicit WindowTexts(CaptureContext& context);

  // Reads the language list of the program folder into the language box;
  // the last entry's flags decide the state of the whole box.
  void FillLanguageBox();
  // The status bar along the bottom of the client area, with the version.
  void CreateStatusBar();
  // Loads the texts of the saved language and selects it in the box.
  void LoadStartUpLanguage();

  // The text pass. The Exit button keeps its enabled state: only the
  // thumbnail list decides it.
  void ApplyUiTexts();
  void HideFixedControls();
  // Selection change of 1099: loads the chosen language and applies it.
  // False when nothing changed (a refused code, a file that does not read).
  bool SwitchLanguage();

  // The code of the language selected in the box, for the settings; nothing
  // without a selection.
  std::optional<std::u16string> SelectedLanguageCode() const;
  const localisation::LanguageList& Languages() const { return languages_; }

 private:
  void ApplyFlags(int controlId, localisation::UiText key);
  void RefillList(int controlId, const std::vector<std::u16string>& items);
  std::u16string VersionText(bool allFourParts) const;

  CaptureContext& context_;
  localisation::LanguageList languages_;
  platform::ProductVersion productVersion_{};
  bool deviceListWidened_ = false;
};

}  // namespace capturewindow
