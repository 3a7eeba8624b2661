#include "platform/win32/Win32ColorPalette.h"

#include <commdlg.h>

namespace win32 {
namespace {

constexpr int kColumns = 5;
constexpr int kRows = 5;
// Command ids of the palette's items; the last one is "other colours".
constexpr UINT kFirstCommand = 0x7100;
constexpr int kSwatchCount = kColumns * kRows - 1;
constexpr UINT kOtherCommand = kFirstCommand + kSwatchCount;

// Row by row as the user sees them.
const COLORREF kSwatches[kSwatchCount] = {
    RGB(0, 0, 0),       RGB(64, 64, 64),    RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(128, 0, 0),     RGB(255, 0, 0),     RGB(255, 128, 0),
    RGB(255, 255, 0),   RGB(255, 255, 128), RGB(0, 128, 0),     RGB(0, 255, 0),
    RGB(128, 128, 0),   RGB(0, 128, 128),   RGB(0, 255, 255),   RGB(0, 0, 128),
    RGB(0, 0, 255),     RGB(128, 0, 128),   RGB(255, 0, 255),   RGB(255, 128, 192),
    RGB(128, 64, 0),    RGB(128, 192, 255), RGB(128, 255, 128), RGB(192, 192, 255)};

// The colour the open palette frames; the palette is modal, one at a time.
COLORREF g_paletteCurrent = 0;

bool IsPaletteCommand(UINT id) { return id >= kFirstCommand && id <= kOtherCommand; }

int CellSize() { return GetSystemMetrics(SM_CYMENU) + 4; }

std::optional<COLORREF> ChooseOtherColor(HWND owner, COLORREF current) {
  // The user's custom colours last as long as the process.
  static COLORREF customColors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                      RGB(255, 255, 255)};
  CHOOSECOLORW choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = owner;
  choice.rgbResult = current;
  choice.lpCustColors = customColors;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!ChooseColorW(&choice)) return std::nullopt;
  return choice.rgbResult;
}

}  // namespace

std::optional<COLORREF> ChooseColorFromPalette(HWND owner, HWND button, COLORREF current) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return std::nullopt;
  // A menu fills its columns top to bottom: item k goes to column k / rows.
  for (int k = 0; k < kColumns * kRows; ++k) {
    const int row = k % kRows, column = k / kRows;
    const int cell = row * kColumns + column;
    const UINT flags = MF_OWNERDRAW | (row == 0 && column > 0 ? MF_MENUBREAK : 0);
    AppendMenuW(menu, flags, kFirstCommand + static_cast<UINT>(cell),
                reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(cell)));
  }
  RECT place{};
  GetWindowRect(button, &place);
  g_paletteCurrent = current;
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_LEFTBUTTON,
                     place.left, place.bottom, 0, owner, nullptr));
  DestroyMenu(menu);
  if (command == kOtherCommand) return ChooseOtherColor(owner, current);
  if (IsPaletteCommand(command)) return kSwatches[command - kFirstCommand];
  return std::nullopt;
}

bool MeasurePaletteItem(MEASUREITEMSTRUCT& item) {
  if (item.CtlType != ODT_MENU || !IsPaletteCommand(item.itemID)) return false;
  // The menu adds room for a check mark to every owner-drawn item.
  const int checkRoom = GetSystemMetrics(SM_CXMENUCHECK) - 1;
  item.itemWidth = static_cast<UINT>(CellSize() > checkRoom ? CellSize() - checkRoom : 1);
  item.itemHeight = static_cast<UINT>(CellSize());
  return true;
}

bool DrawPaletteItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_MENU || !IsPaletteCommand(item.itemID)) return false;
  RECT cell = item.rcItem;
  const bool hot = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &cell, GetSysColorBrush(hot ? COLOR_HIGHLIGHT : COLOR_MENU));
  InflateRect(&cell, -3, -3);
  if (item.itemID == kOtherCommand) {
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    DrawTextW(item.hDC, L"...", -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return true;
  }
  const COLORREF color = kSwatches[item.itemID - kFirstCommand];
  HBRUSH swatch = CreateSolidBrush(color);
  FillRect(item.hDC, &cell, swatch);
  DeleteObject(swatch);
  FrameRect(item.hDC, &cell, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  if (color == g_paletteCurrent) {
    InflateRect(&cell, 2, 2);
    FrameRect(item.hDC, &cell, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  return true;
}

void DrawColorButtonFace(const DRAWITEMSTRUCT& item, COLORREF color) {
  RECT face = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  DrawFrameControl(item.hDC, &face, DFC_BUTTON,
                   DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
  RECT swatch = face;
  InflateRect(&swatch, -5, -4);
  if (pushed) OffsetRect(&swatch, 1, 1);
  HBRUSH brush = CreateSolidBrush(disabled ? GetSysColor(COLOR_BTNSHADOW) : color);
  FillRect(item.hDC, &swatch, brush);
  DeleteObject(brush);
  FrameRect(item.hDC, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (item.itemState & ODS_FOCUS) {
    RECT focus = face;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(item.hDC, &focus);
  }
}

}  // namespace win32
