// Windows, dialogs and controls, behind small interfaces.
//
// A dialog is created from a template by its resource id. The core receives
// a `Window` to drive it and supplies a `DialogHandler` that receives its
// messages. Win32 sends no notification when code changes a control, and
// neither implementation does: the core runs change handlers itself.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class ListView;
class Picture;

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// Dialog results and standard command ids.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// The control id that names a window itself, where a call takes a control id.
constexpr int kWholeWindow = -1;

// Virtual-key codes the core names.
constexpr int kKeySpace = 0x20;

// Pixels are given for 96 dots per inch (100 %); a window on a monitor of
// another DPI scales them, rounding to the nearest pixel.
constexpr int kDefaultDpi = 96;
constexpr int ScaleForDpi(int pixels, int dpi) {
  return (pixels * dpi + (pixels >= 0 ? kDefaultDpi / 2 : -kDefaultDpi / 2)) / kDefaultDpi;
}

// Notification codes carried with a command.
constexpr int kNotifyClicked = 0;        // button pressed
constexpr int kNotifySelectionChange = 1;  // list selection changed by the user
constexpr int kNotifyPositionChange = 2;   // slider moved by the user, sent while it moves

class Window {
 public:
  virtual ~Window() = default;

  // The window itself.
  virtual void SetCaption(const std::u16string& text) = 0;
  virtual std::u16string Caption() const = 0;
  virtual void Show(bool visible) = 0;
  virtual bool IsVisible() const = 0;
  virtual void EndModal(int result) = 0;  // ends the modal loop of a modal dialog
  virtual void Destroy() = 0;             // destroys a modeless window
  virtual bool Exists() const = 0;
  // The value the camera library is handed as this window's handle.
  virtual int32_t NativeHandle() const = 0;
  virtual Rect ClientRect() const = 0;
  // The window's rectangle: in its parent's client coordinates for a child
  // window, in screen coordinates otherwise.
  virtual void MoveTo(const Rect& rect) = 0;
  // Makes this window a child of `parent` (null: top-level again).
  virtual void SetParentWindow(Window* parent) = 0;
  virtual void CenterWindow() = 0;
  virtual void SetIcon(int iconResourceId) = 0;
  // Appends a separator and an item to the system menu; false without one.
  virtual bool AppendSystemMenuItem(uint32_t command, const std::u16string& text) = 0;
  // A status bar along the bottom of the client area, at `rect`.
  virtual bool CreateStatusBar(const Rect& rect) = 0;
  virtual void SetStatusText(const std::u16string& text) = 0;
  virtual void SetStatusBarState(bool enabled, bool visible) = 0;

  // Controls, looked up by id. An id that the template lacks does nothing.
  virtual bool HasControl(int id) const = 0;
  virtual void SetText(int id, const std::u16string& text) = 0;
  virtual std::u16string Text(int id) const = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void ShowControl(int id, bool visible) = 0;
  virtual bool IsControlVisible(int id) const = 0;
  // Checking a radio button unchecks the others of its group.
  virtual void SetChecked(int id, bool checked) = 0;
  virtual bool IsChecked(int id) const = 0;
  // Rectangle of a control in the window's client coordinates, in pixels.
  virtual Rect ControlRect(int id) const = 0;
  virtual Rect ControlScreenRect(int id) const = 0;
  virtual void MoveControl(int id, const Rect& clientRect) = 0;
  // Face and text colours of a push button, as 0x00BBGGRR.
  virtual void SetButtonColors(int id, uint32_t faceColor, uint32_t textColor) = 0;

  // List and combo boxes.
  virtual void ClearItems(int id) = 0;
  virtual int AddItem(int id, const std::u16string& text) = 0;
  virtual int InsertItem(int id, int index, const std::u16string& text) = 0;
  virtual int ItemCount(int id) const = 0;
  virtual std::u16string ItemText(int id, int index) const = 0;
  // Selects silently (no handler runs); -1 clears the selection, and an
  // index past the list leaves it as it was.
  virtual void SetSelection(int id, int index) = 0;
  virtual int Selection(int id) const = 0;
  // The width in pixels of a drop-down list's open list: never narrower than
  // the control, and wide enough for its longest item in the control's own
  // font, with the list's border, a vertical scroll bar and a margin either
  // side. The platform keeps it so whenever items are added or removed and
  // when the window's DPI changes. 0 for an id that names no drop-down list.
  virtual int DroppedListWidth(int id) const = 0;

  // The list-view control of this id, owned by the window; null when the
  // template has no list view of that id.
  virtual ListView* ListViewControl(int /*id*/) { return nullptr; }

  // Picture panes (controls of kind PICTURE): the pane paints `picture`
  // fitted into it (FitPicture) on black, composed off-screen; without a
  // picture it paints white. The window owns the picture: the one it
  // replaces is released at once, the last one when the window is
  // destroyed. Null empties the pane.
  virtual void SetPanePicture(int id, std::unique_ptr<Picture> picture) = 0;
  // Editable drop-down lists: the window text is the edit field, and
  // selecting an item (SetSelection) puts its text there; -1 empties it.
  // Adds the face names of the system's TrueType, raster and device fonts to
  // a list, each once, as plain text.
  virtual void AddSystemFontNames(int id) = 0;

  // Sliders. The position stays within the range; a user's move sends
  // kNotifyPositionChange while the slider moves.
  virtual void SetSliderRange(int id, int minimum, int maximum) = 0;
  virtual void SetSliderPosition(int id, int position) = 0;
  virtual int SliderPosition(int id) const = 0;

  // Progress bars. The position stays within the range.
  virtual void SetProgressRange(int id, int minimum, int maximum) = 0;
  virtual void SetProgressPosition(int id, int position) = 0;
  virtual int ProgressPosition(int id) const = 0;

  // Colour buttons show their colour (0x00BBGGRR); a click offers a palette
  // and the system's colour dialog, and the user's choice becomes the colour.
  virtual void SetChosenColor(int id, uint32_t color) = 0;
  virtual uint32_t ChosenColor(int id) const = 0;

  // Keyboard and accessibility.
  // A key (a virtual-key code) that clicks control `controlId` wherever the
  // focus is inside this window, except in a field that takes typing (an
  // edit box, the edit field of an editable list), where the key types as
  // usual. Another window, a dialog this one opens included, keeps the key's
  // own meaning. A key held down clicks once. 0 as the key removes it.
  virtual void SetClickKey(int virtualKey, int controlId) = 0;
  // The tip shown while the mouse rests on a control (kWholeWindow: on the
  // window itself). An empty text removes it.
  virtual void SetToolTip(int id, const std::u16string& text) = 0;
  // The name assistive technology reads for a control (kWholeWindow: the
  // window itself) instead of its caption.
  virtual void SetAccessibleName(int id, const std::u16string& name) = 0;
  // Tab moves through `ids` in this order, before any other control; radio
  // buttons next to each other in the list form one group.
  virtual void SetTabOrder(const std::vector<int>& ids) = 0;

  // Dots per inch of the monitor the window is on (kDefaultDpi at 100 %).
  virtual int Dpi() const = 0;
};

// Messages a dialog receives. Every handler runs on the UI thread. The
// platform attaches the window before OnInitDialog and detaches it once the
// window is gone.
class DialogHandler {
 public:
  virtual ~DialogHandler() = default;
  // Called once the window and its controls exist. Returns the dialog's
  // TRUE/FALSE result.
  virtual bool OnInitDialog() = 0;
  virtual void OnCommand(int /*controlId*/, int /*notifyCode*/) {}
  // A system-menu command; false lets the default handling run.
  virtual bool OnSysCommand(uint32_t /*command*/) { return false; }
  // Enter on a dialog without its own default button.
  virtual void OnOk() {
    if (window_ != nullptr) window_->EndModal(kIdOk);
  }
  // Escape, the close box, or IDCANCEL.
  virtual void OnCancel() {
    if (window_ != nullptr) window_->EndModal(kIdCancel);
  }
  virtual void OnDestroy() {}
  // The window is being moved by the user, or has moved.
  virtual void OnMoving() {}
  // The window moved to a monitor of another DPI. The platform has scaled
  // the window, its controls and their fonts already; what the handler
  // placed or sized in pixels itself, it places again.
  virtual void OnDpiChanged() {}
  // WM_COPYDATA: the data block is valid only during the call.
  virtual void OnCopyData(uint32_t /*kind*/, const void* /*data*/, uint32_t /*size*/) {}

  Window* GetWindow() const { return window_; }
  void AttachWindow(Window* window) { window_ = window; }

 private:
  Window* window_ = nullptr;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // Registers the common control classes once per process.
  virtual void InitCommonControls() = 0;
  // Creates the dialog, runs its modal loop until EndModal, destroys it and
  // returns the EndModal result.
  virtual int RunModal(int templateId, DialogHandler& handler, Window* owner) = 0;
  // Creates a modeless dialog; nothing when it cannot be created.
  virtual std::unique_ptr<Window> CreateModeless(int templateId, DialogHandler& handler,
                                                 Window* parent) = 0;
  // A string resource; empty when there is none.
  virtual std::u16string LoadString(int stringId) = 0;
  // A plain message box: no caption text, one OK button.
  virtual void ShowMessageBox(Window* owner, const std::u16string& text) = 0;
  // Runs a task on the UI thread later; safe to call from any thread.
  virtual void Post(std::function<void()> task) = 0;
  // The wait cursor, from the first BeginBusy to its matching EndBusy:
  // the UI thread is working and answers the user only once it is done.
  // Calls nest. BusyScope pairs them.
  virtual void BeginBusy() = 0;
  virtual void EndBusy() = 0;
};

// The wait cursor while this object lives.
class BusyScope {
 public:
  explicit BusyScope(Ui& ui) : ui_(ui) { ui_.BeginBusy(); }
  ~BusyScope() { ui_.EndBusy(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Ui& ui_;
};

}  // namespace platform
