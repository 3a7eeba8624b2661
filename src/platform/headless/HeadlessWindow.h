// A dialog of the headless platform: its controls live in memory, built
// from the template's control table. Tests read them back and act on them
// the way a user would.
#pragma once

#include <optional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Imaging.h"
#include "platform/Ui.h"
#include "platform/headless/DialogTemplates.h"
#include "platform/headless/HeadlessListView.h"

namespace headless {

class HeadlessDesktop;

struct HeadlessControl {
  int id = 0;
  ControlKind kind = ControlKind::STATIC;
  std::u16string text;
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  std::vector<std::u16string> items;
  int selection = -1;
  platform::Rect rect;  // client pixels
  int sliderMinimum = 0, sliderMaximum = 100, sliderPosition = 0;  // a trackbar's defaults
  int progressMinimum = 0, progressMaximum = 100, progressPosition = 0;  // a progress bar's
  uint32_t color = 0;
  // A drop-down list's open list as the platform set it (0: as wide as the
  // control); see DroppedListWidth.
  int droppedWidth = 0;
};

class HeadlessWindow : public platform::Window {
 public:
  // Top-level windows (no parent) are listed on the desktop by caption.
  HeadlessWindow(const DialogTemplate& dialogTemplate, platform::DialogHandler& handler,
                 HeadlessWindow* parent, HeadlessDesktop& desktop);
  ~HeadlessWindow() override;

  void SetCaption(const std::u16string& text) override { caption_ = text; }
  std::u16string Caption() const override { return caption_; }
  void Show(bool visible) override { visible_ = visible; }
  bool IsVisible() const override { return visible_; }
  void EndModal(int result) override;
  void Destroy() override;
  bool Exists() const override { return exists_; }
  int32_t NativeHandle() const override { return handle_; }
  platform::Rect ClientRect() const override { return clientRect_; }
  // Headless windows have no frame: the client area takes the new size.
  void MoveTo(const platform::Rect& rect) override;
  void SetParentWindow(platform::Window* parent) override;
  void CenterWindow() override { ++centred_; }
  void SetIcon(int iconResourceId) override { iconId_ = iconResourceId; }
  bool AppendSystemMenuItem(uint32_t command, const std::u16string& text) override;
  bool CreateStatusBar(const platform::Rect& rect) override;
  void SetStatusText(const std::u16string& text) override { statusBar_.text = text; }
  void SetStatusBarState(bool enabled, bool visible) override;

  bool HasControl(int id) const override { return Find(id) != nullptr; }
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
  // Headless windows have no fonts: an item's width is estimated from the
  // dialog font's average character width (DialogUnitsToPixelsX(4)) per
  // UTF-16 unit, twice that for the wide characters of East Asian scripts.
  // The open list is set from it at the moments the Win32 platform sets it:
  // items added or removed, the DPI changed.
  int DroppedListWidth(int id) const override;
  // Made on first use; tests reach it through this call as well.
  platform::ListView* ListViewControl(int id) override;
  void SetPanePicture(int id, std::unique_ptr<platform::Picture> picture) override;

  // What a picture pane shows now, at its current size.
  platform::RgbImage PaintPane(int id) const;
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
  void SetTabOrder(const std::vector<int>& ids) override { tabOrder_ = ids; }
  int Dpi() const override { return dpi_; }

  // What a user does. Each returns false, and nothing happens, when the
  // control is missing, hidden or disabled.
  bool UserClick(int id);
  bool UserSelect(int id, int index);
  // Typing into an edit box or the edit field of an editable list replaces
  // its text.
  bool UserType(int id, const std::u16string& text);
  // Drags a slider to a position (kept within its range).
  bool UserMoveSlider(int id, int position);
  // Picks a colour with a colour button, from its palette or the system's
  // colour dialog.
  bool UserPickColor(int id, uint32_t color);
  // A key pressed with the focus on control `focusId` (kWholeWindow: on
  // the window itself), as the system delivers it: Space types in an edit
  // field; else the window's click key clicks its control; else Space
  // presses the button or toggles the check box that has the focus. False
  // when nothing happened.
  bool UserPressKey(int focusId, int virtualKey);
  // The window is dragged to a monitor of `dpi`: the window, its controls
  // and its status bar scale, then its handler hears of it.
  void UserMoveToDpi(int dpi);
  // The close box, Escape or the system menu's Close.
  void UserClose();
  void UserSysCommand(uint32_t command);

  struct StatusBar {
    bool exists = false;
    platform::Rect rect;
    std::u16string text;
    bool enabled = true;
    bool visible = true;
  };
  struct SystemMenuItem {
    uint32_t command;
    std::u16string text;
  };
  struct ButtonColors {
    uint32_t face;
    uint32_t text;
  };

  int TemplateId() const { return templateId_; }
  const StatusBar& GetStatusBar() const { return statusBar_; }
  const std::vector<SystemMenuItem>& SystemMenu() const { return systemMenu_; }
  std::optional<ButtonColors> ButtonColorsOf(int id) const;
  platform::Rect WindowRect() const { return windowRect_; }
  HeadlessWindow* Parent() const { return parent_; }
  int IconId() const { return iconId_; }
  int TimesCentred() const { return centred_; }
  bool IsModalEnded() const { return ended_; }
  int ModalResult() const { return result_; }
  const std::vector<HeadlessControl>& Controls() const { return controls_; }
  // The tip of a control (kWholeWindow: the window); empty without one.
  std::u16string ToolTip(int id) const;
  // What assistive technology reads for a control: the name given, else its
  // caption (kWholeWindow: the window's).
  std::u16string AccessibleName(int id) const;
  // The controls Tab reaches, in order: the ordered ones first, then the
  // other controls that take the focus, in template order. Hidden and
  // disabled controls are listed; Tab skips them.
  std::vector<int> TabOrder() const;
  platform::DialogHandler& Handler() { return handler_; }
  HeadlessControl* Find(int id);
  const HeadlessControl* Find(int id) const;

 private:
  bool CanBeUsed(int id) const;
  void CheckRadioInGroup(int id);

  int templateId_;
  HeadlessWindow* parent_;
  platform::Rect clientRect_;
  platform::Rect windowRect_;
  StatusBar statusBar_;
  std::vector<SystemMenuItem> systemMenu_;
  std::vector<std::pair<int, ButtonColors>> buttonColors_;
  int iconId_ = 0;
  int centred_ = 0;
  std::u16string caption_;
  platform::DialogHandler& handler_;
  HeadlessDesktop& desktop_;
  std::vector<HeadlessControl> controls_;
  std::vector<std::pair<int, std::unique_ptr<HeadlessListView>>> listViews_;
  std::vector<std::pair<int, std::unique_ptr<platform::Picture>>> panePictures_;
  std::vector<std::pair<int, std::u16string>> toolTips_;
  std::vector<std::pair<int, std::u16string>> accessibleNames_;
  std::vector<int> tabOrder_;
  int clickKey_ = 0;
  int clickKeyControl_ = 0;
  int dpi_;
  int desktopToken_ = 0;
  int32_t handle_;
  bool visible_ = false;
  bool exists_ = true;
  bool ended_ = false;
  int result_ = 0;
};

}  // namespace headless
