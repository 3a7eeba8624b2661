// Win32Window's owner-drawn controls: push buttons in colours of their own,
// colour buttons with their palette, and picture panes.
#include "platform/win32/Win32Window.h"

#include <algorithm>

#include "platform/win32/Win32ColorPalette.h"
#include "platform/win32/Win32Imaging.h"
#include "platform/win32/Win32Text.h"

namespace win32 {

// The button becomes owner-drawn so that its face and text take the colours.
void Win32Window::SetButtonColors(int id, uint32_t faceColor, uint32_t textColor) {
  HWND item = Item(id);
  if (item == nullptr) return;
  const LONG_PTR style = GetWindowLongPtrW(item, GWL_STYLE);
  SetWindowLongPtrW(item, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
  bool known = false;
  for (ColoredButton& button : coloredButtons_) {
    if (button.id != id) continue;
    button.face = faceColor;
    button.text = textColor;
    known = true;
  }
  if (!known) coloredButtons_.push_back(ColoredButton{id, faceColor, textColor});
  InvalidateRect(item, nullptr, TRUE);
}

bool Win32Window::DrawColoredButton(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return false;
  for (const ColoredButton& button : coloredButtons_) {
    if (static_cast<UINT>(button.id) != item.CtlID) continue;
    RECT rect = item.rcItem;
    HBRUSH face = CreateSolidBrush(button.face);
    FillRect(item.hDC, &rect, face);
    DeleteObject(face);
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    DrawEdge(item.hDC, &rect, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    // The face's own distances grow with the DPI, as its font does.
    const int pixel = platform::ScaleForDpi(1, dpi_);
    if (pushed) OffsetRect(&rect, pixel, pixel);
    const std::u16string text = WindowText(item.hwndItem);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : button.text);
    DrawTextW(item.hDC, Wide(text), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
      const int inset = platform::ScaleForDpi(3, dpi_);
      InflateRect(&rect, -inset, -inset);
      DrawFocusRect(item.hDC, &rect);
    }
    return true;
  }
  return false;
}

// The button becomes owner-drawn so that it shows the colour.
void Win32Window::SetChosenColor(int id, uint32_t color) {
  HWND item = Item(id);
  if (item == nullptr) return;
  const COLORREF value = static_cast<COLORREF>(color & 0x00FFFFFFu);
  const LONG_PTR style = GetWindowLongPtrW(item, GWL_STYLE);
  SetWindowLongPtrW(item, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
  auto known = std::find_if(colorButtons_.begin(), colorButtons_.end(),
                            [id](const auto& button) { return button.first == id; });
  if (known != colorButtons_.end()) {
    known->second = value;
  } else {
    colorButtons_.emplace_back(id, value);
  }
  InvalidateRect(item, nullptr, TRUE);
}

uint32_t Win32Window::ChosenColor(int id) const {
  for (const auto& button : colorButtons_) {
    if (button.first == id) return button.second;
  }
  return 0;
}

bool Win32Window::DrawColorButton(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return false;
  for (const auto& button : colorButtons_) {
    if (static_cast<UINT>(button.first) != item.CtlID) continue;
    DrawColorButtonFace(item, button.second);
    return true;
  }
  return false;
}

bool Win32Window::PickColor(int id) {
  auto button = std::find_if(colorButtons_.begin(), colorButtons_.end(),
                             [id](const auto& entry) { return entry.first == id; });
  if (button == colorButtons_.end()) return false;
  if (auto chosen = ChooseColorFromPalette(hwnd_, Item(id), button->second)) {
    button->second = *chosen;
    InvalidateRect(Item(id), nullptr, TRUE);
  }
  return true;
}

void Win32Window::SetPanePicture(int id, std::unique_ptr<platform::Picture> picture) {
  HWND pane = Item(id);
  if (pane == nullptr) return;
  bool known = false;
  for (auto& entry : panePictures_) {
    if (entry.first != id) continue;
    entry.second = std::move(picture);
    known = true;
  }
  if (!known) panePictures_.emplace_back(id, std::move(picture));
  InvalidateRect(pane, nullptr, FALSE);
}

const platform::Picture* Win32Window::PanePicture(int id) const {
  for (const auto& entry : panePictures_) {
    if (entry.first == id) return entry.second.get();
  }
  return nullptr;
}

// Composed in a memory bitmap and copied in one go, so the pane does not
// flicker: white without a picture; otherwise black with the picture
// stretched into its fitted place with halftone.
bool Win32Window::DrawPicturePane(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_STATIC) return false;
  const int width = item.rcItem.right - item.rcItem.left;
  const int height = item.rcItem.bottom - item.rcItem.top;
  if (width <= 0 || height <= 0) return true;
  const auto* picture =
      static_cast<const Win32Picture*>(PanePicture(static_cast<int>(item.CtlID)));

  HDC composed = CreateCompatibleDC(item.hDC);
  HBITMAP surface = CreateCompatibleBitmap(item.hDC, width, height);
  if (composed == nullptr || surface == nullptr) {
    if (surface != nullptr) DeleteObject(surface);
    if (composed != nullptr) DeleteDC(composed);
    return true;
  }
  HGDIOBJ oldSurface = SelectObject(composed, surface);
  RECT all{0, 0, width, height};
  FillRect(composed, &all,
           static_cast<HBRUSH>(GetStockObject(picture != nullptr ? BLACK_BRUSH : WHITE_BRUSH)));
  if (picture != nullptr) {
    // Placed by the picture's own size; drawn from the smaller bitmap held.
    const platform::ImageSize size = picture->Size();
    const platform::ImageSize held = picture->BitmapSize();
    const platform::Rect place = platform::FitPicture(static_cast<int>(size.width),
                                                      static_cast<int>(size.height), width, height);
    HDC source = CreateCompatibleDC(item.hDC);
    if (source != nullptr && place.Width() > 0 && place.Height() > 0) {
      HGDIOBJ oldSource = SelectObject(source, picture->Bitmap());
      SetStretchBltMode(composed, HALFTONE);
      SetBrushOrgEx(composed, 0, 0, nullptr);
      StretchBlt(composed, place.left, place.top, place.Width(), place.Height(), source, 0, 0,
                 static_cast<int>(held.width), static_cast<int>(held.height), SRCCOPY);
      SelectObject(source, oldSource);
    }
    if (source != nullptr) DeleteDC(source);
  }
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, composed, 0, 0, SRCCOPY);
  SelectObject(composed, oldSurface);
  DeleteObject(surface);
  DeleteDC(composed);
  return true;
}

}  // namespace win32
