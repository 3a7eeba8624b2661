// Whether the texts of a Prismel window fit their controls, measured from
// outside as a localiser would check them.
//
// A font belongs to the process that made it, so Prismel's own font cannot
// be selected here (and under Wine WM_GETFONT answers no other process).
// The same font is made here the way Prismel's came about: the dialog
// manager builds a hidden copy of the window's own template, loaded from
// Prismel.exe, on the same desktop at the same DPI. A copy whose client area
// is not the size of Prismel's window was laid out with another font, and
// is refused. The texts and the room for them are read from Prismel's
// controls themselves.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Hidden copies of Prismel's dialog templates, one per template id.
class TemplateFonts {
 public:
  explicit TemplateFonts(const std::wstring& prismelPath) : path_(prismelPath) {}
  ~TemplateFonts();
  TemplateFonts(const TemplateFonts&) = delete;
  TemplateFonts& operator=(const TemplateFonts&) = delete;

  // The font of template `templateId` for `window`; null, with `error` set,
  // when the template does not load or its copy is laid out otherwise.
  HFONT FontFor(int templateId, HWND window, std::string& error);

 private:
  std::wstring path_;
  HMODULE module_ = nullptr;
  std::vector<std::pair<int, HWND>> copies_;
};

// One line per visible text of `window` (its caption, its controls'
// captions, every item of its drop-down lists): "KIND ID NEED ROOM TEXT",
// NEED the text's width in pixels and ROOM the width the control gives it.
// KIND is caption (the title bar), static, button, check, radio, group,
// item (a list item in the open list) or field (the same item shown in the
// closed list). A static wraps: it fits when its lines fit its height; a
// static that does not fit reports a NEED above its ROOM.
std::vector<std::wstring> MeasureTexts(HWND window, HFONT font);
