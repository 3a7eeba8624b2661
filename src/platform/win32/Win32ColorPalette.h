// The colour buttons' palette: a pop-up menu of colour swatches in five
// columns with a last cell for other colours, which opens the system's
// colour dialog. There is no automatic colour.
#pragma once

#include <optional>

#include "platform/win32/WindowsHeaders.h"

namespace win32 {

// Shows the palette under the button and returns the colour the user chose;
// nothing when the user closed it without a choice. `current` is framed in
// the palette and is where the colour dialog starts.
std::optional<COLORREF> ChooseColorFromPalette(HWND owner, HWND button, COLORREF current);

// The owner window's share of the owner-drawn palette: true when the
// message was about a palette item and has been answered.
bool MeasurePaletteItem(MEASUREITEMSTRUCT& item);
bool DrawPaletteItem(const DRAWITEMSTRUCT& item);

// A colour button: a push-button face with a swatch of its colour.
void DrawColorButtonFace(const DRAWITEMSTRUCT& item, COLORREF color);

}  // namespace win32
