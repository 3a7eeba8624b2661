// A dialog created from a template, with its controls looked up by id. The
// only place that sees HWNDs of dialogs. Its members are defined by concern:
// Win32Window.cpp (the dialog procedure and the window), Win32Controls.cpp,
// Win32OwnerDraw.cpp, Win32FontsAndTips.cpp, Win32Dpi.cpp and
// Win32ListView.cpp.
#pragma once

#include <vector>

#include "platform/Imaging.h"
#include "platform/Ui.h"
#include "platform/win32/Win32ListView.h"
#include "platform/win32/WindowsHeaders.h"

namespace win32 {

class Win32Window : public platform::Window {
 public:
  explicit Win32Window(platform::DialogHandler& handler) : handler_(handler) {}
  ~Win32Window() override;

  static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND Handle() const { return hwnd_; }

  void SetCaption(const std::u16string& text) override;
  std::u16string Caption() const override;
  void Show(bool visible) override;
  bool IsVisible() const override;
  void EndModal(int result) override;
  void Destroy() override;
  bool Exists() const override { return hwnd_ != nullptr; }
  int32_t NativeHandle() const override;
  platform::Rect ClientRect() const override;
  void MoveTo(const platform::Rect& rect) override;
  void SetParentWindow(platform::Window* parent) override;
  void CenterWindow() override;
  void SetIcon(int iconResourceId) override;
  bool AppendSystemMenuItem(uint32_t command, const std::u16string& text) override;
  bool CreateStatusBar(const platform::Rect& rect) override;
  void SetStatusText(const std::u16string& text) override;
  void SetStatusBarState(bool enabled, bool visible) override;

  bool HasControl(int id) const override { return Item(id) != nullptr; }
  void SetText(int id, const std::u16string& text) override;
  std::u16string Text(int id) const override;
  void Enable(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void ShowControl(int id, bool visible) override;
  bool IsControlVisible(int id) const override;
  void SetChecked(int id, bool checked) override;
  bool IsChecked(int id) const override;
  platform::Rect ControlRect(int id) const override;
  platform::Rect ControlScreenRect(int id) const override;
  void MoveControl(int id, const platform::Rect& clientRect) override;
  void SetButtonColors(int id, uint32_t faceColor, uint32_t textColor) override;

  void ClearItems(int id) override;
  int AddItem(int id, const std::u16string& text) override;
  int InsertItem(int id, int index, const std::u16string& text) override;
  int ItemCount(int id) const override;
  std::u16string ItemText(int id, int index) const override;
  void SetSelection(int id, int index) override;
  int Selection(int id) const override;
  int DroppedListWidth(int id) const override;
  platform::ListView* ListViewControl(int id) override;
  void SetPanePicture(int id, std::unique_ptr<platform::Picture> picture) override;
  // The picture a pane shows; null for an empty pane.
  const platform::Picture* PanePicture(int id) const;
  void AddSystemFontNames(int id) override;
  void SetSliderRange(int id, int minimum, int maximum) override;
  void SetSliderPosition(int id, int position) override;
  int SliderPosition(int id) const override;
  void SetProgressRange(int id, int minimum, int maximum) override;
  void SetProgressPosition(int id, int position) override;
  int ProgressPosition(int id) const override;
  void SetChosenColor(int id, uint32_t color) override;
  uint32_t ChosenColor(int id) const override;
  void SetClickKey(int virtualKey, int controlId) override;
  void SetToolTip(int id, const std::u16string& text) override;
  void SetAccessibleName(int id, const std::u16string& name) override;
  void SetTabOrder(const std::vector<int>& ids) override;
  int Dpi() const override;
  // The tooltip control of this window; null before the first tip.
  HWND ToolTipControl() const { return toolTip_; }

 private:
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // Hands a list view's notification to it.
  void RouteNotify(const NMHDR* header);
  HWND Item(int id) const { return hwnd_ != nullptr ? GetDlgItem(hwnd_, id) : nullptr; }
  // A control, or the window itself for kWholeWindow.
  HWND Target(int id) const { return id == platform::kWholeWindow ? hwnd_ : Item(id); }
  // WM_INITDIALOG: the DPI the window starts at, and the dialog manager
  // kept from scaling it on a change.
  void AdoptDpi();
  // WM_DPICHANGED: the controls, their font and the status bar scaled from
  // the DPI the window had, the window moved to the place the system
  // suggests, then the handler told.
  void OnDpiChanged(int dpi, const RECT& suggested);

  bool DrawColoredButton(const DRAWITEMSTRUCT& item);
  // Picture panes are owner-drawn statics.
  bool DrawPicturePane(const DRAWITEMSTRUCT& item);
  // Colour buttons: drawn with their colour; a click offers the palette.
  bool DrawColorButton(const DRAWITEMSTRUCT& item);
  bool PickColor(int id);
  void PaintIconic();

  struct ColoredButton {
    int id;
    COLORREF face;
    COLORREF text;
  };

  platform::DialogHandler& handler_;
  HWND hwnd_ = nullptr;
  // Destroyed after the window: their image lists outlive the controls.
  std::vector<std::pair<int, std::unique_ptr<Win32ListView>>> listViews_;
  HWND statusBar_ = nullptr;
  HWND toolTip_ = nullptr;
  // The program's last word on the window's visibility was to hide it.
  bool hiddenByProgram_ = false;
  // The DPI the controls are laid out for, and the font made for it (the
  // template's font until the first change).
  int dpi_ = 96;
  HFONT scaledFont_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  std::vector<ColoredButton> coloredButtons_;
  std::vector<std::pair<int, std::unique_ptr<platform::Picture>>> panePictures_;
  std::vector<std::pair<int, COLORREF>> colorButtons_;
};

}  // namespace win32
