#include "TextFit.h"

#include <commctrl.h>

#include <algorithm>

namespace {

INT_PTR CALLBACK SilentDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::wstring WindowText(HWND window) {
  // WM_GETTEXT itself: GetWindowText reads only the caption the system
  // keeps for a window of another process.
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

int ClientWidth(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect.right - rect.left;
}

int ClientHeight(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect.bottom - rect.top;
}

// Distances the system draws in pixels at 96 DPI, at the screen's DPI.
int Scaled(HDC dc, int pixels) { return MulDiv(pixels, GetDeviceCaps(dc, LOGPIXELSX), 96); }

// The width of `text` on one line, as DrawText lays it out with `flags`
// (prefix characters and tabs as the control treats them).
int LineWidth(HDC dc, const std::wstring& text, UINT flags) {
  RECT rect{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), -1, &rect, flags | DT_CALCRECT | DT_SINGLELINE);
  return rect.right - rect.left;
}

struct Measured {
  const wchar_t* kind;
  int need;
  int room;
};

// A static draws its text wrapped at word breaks (SS_LEFT, SS_CENTER,
// SS_RIGHT); the lines must fit its height and no word may be wider than
// it. It reports the text's width on one line against the width of the
// lines it holds; a text that does not fit needs at least a pixel more.
Measured MeasureStatic(HDC dc, HWND control, const std::wstring& text) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
  const int width = ClientWidth(control);
  const int height = ClientHeight(control);
  RECT wrapped{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | prefix);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int lineHeight = static_cast<int>(metrics.tmHeight);
  const int lines = lineHeight > 0 ? std::max(1, height / lineHeight) : 1;
  const int room = width * lines;
  const bool fits = wrapped.right <= width && wrapped.bottom <= height;
  const int line = LineWidth(dc, text, DT_EXPANDTABS | prefix);
  const int need = fits ? std::min(line, room) : std::max(line, room + 1);
  return {L"static", need, room};
}

// Buttons, as the button control lays out its label: a push button inside
// its frame and a margin, a check box or radio button beside its glyph
// (12 pixels and one at 96 DPI) and half a digit's width, a group box's
// title 7 pixels and a margin in from either edge.
Measured MeasureButton(HDC dc, HWND control, const std::wstring& text) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const LONG type = style & BS_TYPEMASK;
  const int width = ClientWidth(control);
  const int need = LineWidth(dc, text, 0);
  const bool pushLike = (style & BS_PUSHLIKE) != 0;
  if (!pushLike && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                    type == BS_AUTO3STATE || type == BS_RADIOBUTTON ||
                    type == BS_AUTORADIOBUTTON)) {
    INT digit = 0;
    GetCharWidth32W(dc, L'0', L'0', &digit);
    const int glyph = Scaled(dc, 12) + 1;
    const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    return {radio ? L"radio" : L"check", need, width - glyph - digit / 2 - 2};
  }
  if (type == BS_GROUPBOX) return {L"group", need, width - 2 * Scaled(dc, 8)};
  // The frame (2 pixels), the default button's outline (1) and the label's
  // margin (1) on either side.
  const int frame = Scaled(dc, type == BS_DEFPUSHBUTTON ? 4 : 3);
  return {L"button", need, width - 2 * frame};
}

std::wstring Line(const wchar_t* kind, int id, int need, int room, const std::wstring& text) {
  return std::wstring(kind) + L" " + std::to_wstring(id) + L" " + std::to_wstring(need) + L" " +
         std::to_wstring(room) + L" " + text;
}

// Every item of a drop-down list twice: in the open list, which is as wide
// as the list was set to (CB_GETDROPPEDWIDTH) or as the control, whichever
// is wider, less its border, a vertical scroll bar and 2 pixels either side
// of the text; and in the closed field, the control less its border (2
// pixels), its button (a scroll bar's width) and 2 pixels either side of
// the text.
void MeasureList(HDC dc, HWND list, int id, std::vector<std::wstring>& lines) {
  const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  const int open = std::max(static_cast<int>(SendMessageW(list, CB_GETDROPPEDWIDTH, 0, 0)),
                            ClientWidth(list));
  const int listRoom = open - 2 - scrollBar - 2 * Scaled(dc, 2);
  const int fieldRoom = ClientWidth(list) - 2 * 2 - scrollBar - 2 * Scaled(dc, 2);
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length <= 0 || length > 511) continue;
    wchar_t text[512] = {};
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    const int need = LineWidth(dc, text, DT_NOPREFIX);
    lines.push_back(Line(L"item", id, need, listRoom, text));
    lines.push_back(Line(L"field", id, need, fieldRoom, text));
  }
}

// The title bar: the window less its frame, its buttons (close, and
// minimise and maximise where it has either) and the icon, in the caption
// font.
std::wstring MeasureCaption(HWND window) {
  const std::wstring text = WindowText(window);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (text.empty() ||
      !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return {};
  }
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
  HGDIOBJ old = SelectObject(dc, font);
  const int need = LineWidth(dc, text, DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  RECT rect{};
  GetWindowRect(window, &rect);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  int buttons = (style & WS_SYSMENU) ? 1 : 0;
  if (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) buttons += 2;
  const bool icon = SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0;
  const int room = rect.right - rect.left - 2 * GetSystemMetrics(SM_CXFIXEDFRAME) -
                   buttons * GetSystemMetrics(SM_CXSIZE) -
                   (icon ? GetSystemMetrics(SM_CXSMICON) + 2 : 0) - 2 * 2;
  return Line(L"caption", 0, need, room, text);
}

}  // namespace

TemplateFonts::~TemplateFonts() {
  for (auto& copy : copies_) DestroyWindow(copy.second);
  if (module_ != nullptr) FreeLibrary(module_);
}

HFONT TemplateFonts::FontFor(int templateId, HWND window, std::string& error) {
  HWND copy = nullptr;
  for (const auto& known : copies_) {
    if (known.first == templateId) copy = known.second;
  }
  if (copy == nullptr) {
    if (module_ == nullptr) {
      // The templates hold list views, sliders and progress bars.
      INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
      InitCommonControlsEx(&classes);
      module_ = LoadLibraryExW(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    if (module_ == nullptr) {
      error = "Prismel.exe does not load";
      return nullptr;
    }
    copy = CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId), nullptr, SilentDialog, 0);
    if (copy == nullptr) {
      error = "no template " + std::to_string(templateId);
      return nullptr;
    }
    // Without the template's caption, so that no search for one of
    // Prismel's windows by its caption ever finds the copy.
    SetWindowTextW(copy, L"");
    copies_.emplace_back(templateId, copy);
  }
  const int width = ClientWidth(window), height = ClientHeight(window);
  if (ClientWidth(copy) != width || ClientHeight(copy) != height) {
    error = "template " + std::to_string(templateId) + " lays out " +
            std::to_string(ClientWidth(copy)) + "x" + std::to_string(ClientHeight(copy)) +
            ", the window is " + std::to_string(width) + "x" + std::to_string(height);
    return nullptr;
  }
  return reinterpret_cast<HFONT>(SendMessageW(copy, WM_GETFONT, 0, 0));
}

std::vector<std::wstring> MeasureTexts(HWND window, HFONT font) {
  std::vector<std::wstring> lines;
  const std::wstring caption = MeasureCaption(window);
  if (!caption.empty()) lines.push_back(caption);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const int id = GetDlgCtrlID(child);
    const std::wstring kind = ClassOf(child);
    if (lstrcmpiW(kind.c_str(), L"ComboBox") == 0) {
      MeasureList(dc, child, id, lines);
      continue;
    }
    const std::wstring text = WindowText(child);
    if (text.empty()) continue;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    Measured measured{nullptr, 0, 0};
    if (lstrcmpiW(kind.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT) {
      measured = MeasureStatic(dc, child, text);
    } else if (lstrcmpiW(kind.c_str(), L"Button") == 0) {
      measured = MeasureButton(dc, child, text);
    }
    if (measured.kind != nullptr) {
      lines.push_back(Line(measured.kind, id, measured.need, measured.room, text));
    }
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return lines;
}
