// The dialog templates as the headless platform builds them: the same
// control tables that the .rc expands.
#pragma once

#include <string>
#include <vector>

namespace headless {

enum class ControlKind {
  STATIC, COMBO, CHECK, RADIO, BUTTON, DEFBUTTON, LISTVIEW, GROUP, CAPTUREBUTTON, ICON, FRAME,
  PICTURE,
  EDIT, COMBOEDIT, FONTLIST, SLIDER, COLORBUTTON, PROGRESS
};

enum class ControlState { VISIBLE, HIDDEN, HIDDEN_DISABLED };

struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* caption;  // UTF-8
  int left, top, width, height;  // dialog units
  ControlState state;
};

struct DialogTemplate {
  int id;
  const char* caption;  // UTF-8
  int width, height;    // dialog units
  std::vector<ControlTemplate> controls;  // in template order
};

// Nothing for an id that names no template.
const DialogTemplate* FindDialogTemplate(int templateId);

// Dialog units to pixels with the base units of the dialog font
// (MS Shell Dlg 8 pt at 96 DPI: 6 x 13), which grow with the DPI.
int DialogUnitsToPixelsX(int units, int dpi = 96);
int DialogUnitsToPixelsY(int units, int dpi = 96);

}  // namespace headless
