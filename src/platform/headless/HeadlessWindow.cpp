#include "platform/headless/HeadlessWindow.h"

#include <algorithm>

#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessPicture.h"
#include "platform/headless/TextConversions.h"

namespace headless {
namespace {

int32_t NextHandle() {
  static int32_t next = 0x10010;
  next += 4;
  return next;
}

// Lists whose window text is an edit field of their own.
bool HasEditField(ControlKind kind) {
  return kind == ControlKind::COMBOEDIT || kind == ControlKind::FONTLIST;
}

// Controls a user types into.
bool TakesTyping(ControlKind kind) { return kind == ControlKind::EDIT || HasEditField(kind); }

// Controls that Tab stops at, as the .rc gives them WS_TABSTOP.
bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::STATIC: case ControlKind::GROUP: case ControlKind::ICON:
    case ControlKind::FRAME: case ControlKind::PICTURE: case ControlKind::PROGRESS:
      return false;
    default:
      return true;
  }
}

int Scaled(int value, int from, int to) {
  const long long scaled = static_cast<long long>(value) * to;
  return static_cast<int>((scaled + (scaled >= 0 ? from / 2 : -from / 2)) / from);
}

platform::Rect ScaledRect(const platform::Rect& rect, int from, int to) {
  return platform::Rect{Scaled(rect.left, from, to), Scaled(rect.top, from, to),
                        Scaled(rect.right, from, to), Scaled(rect.bottom, from, to)};
}

bool IsDropDownList(ControlKind kind) { return kind == ControlKind::COMBO || HasEditField(kind); }

// East Asian wide characters: Hangul Jamo, the CJK blocks with kana, Hangul
// syllables, compatibility ideographs and full-width forms.
bool IsWide(char16_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFF60);
}

// An item's estimated width with a margin of 3 pixels either side, the
// list's border and a scroll bar of 17 pixels at 96 DPI, as the Win32
// platform adds them.
int ListWidthFor(const std::u16string& item, int dpi) {
  int units = 0;
  for (char16_t c : item) units += IsWide(c) ? 2 : 1;
  const int average = DialogUnitsToPixelsX(4, dpi);
  return units * average + 2 * platform::ScaleForDpi(3, dpi) + 2 + platform::ScaleForDpi(17, dpi);
}

// After an item was added: the open list widens if the item needs more.
void WidenDroppedList(HeadlessControl& c, const std::u16string& item, int dpi) {
  if (IsDropDownList(c.kind)) c.droppedWidth = std::max(c.droppedWidth, ListWidthFor(item, dpi));
}

// The open list's width for all items of list `c`.
void FitDroppedList(HeadlessControl& c, int dpi) {
  c.droppedWidth = 0;
  for (const std::u16string& item : c.items) {
    c.droppedWidth = std::max(c.droppedWidth, ListWidthFor(item, dpi));
  }
}

// Font lists sort their names without regard to case.
char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }
bool NameBefore(const std::u16string& a, const std::u16string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return Lower(x) < Lower(y); });
}

}  // namespace

HeadlessWindow::HeadlessWindow(const DialogTemplate& dialogTemplate,
                               platform::DialogHandler& handler, HeadlessWindow* parent,
                               HeadlessDesktop& desktop)
    : templateId_(dialogTemplate.id),
      parent_(parent),
      clientRect_{0, 0, DialogUnitsToPixelsX(dialogTemplate.width, desktop.dpi),
                  DialogUnitsToPixelsY(dialogTemplate.height, desktop.dpi)},
      windowRect_(clientRect_),
      caption_(Utf8ToUtf16(dialogTemplate.caption)),
      handler_(handler),
      desktop_(desktop),
      dpi_(desktop.dpi),
      handle_(NextHandle()) {
  for (const ControlTemplate& t : dialogTemplate.controls) {
    HeadlessControl control;
    control.id = t.id;
    control.kind = t.kind;
    control.text = Utf8ToUtf16(t.caption);
    control.visible = t.state == ControlState::VISIBLE;
    control.enabled = t.state != ControlState::HIDDEN_DISABLED;
    control.rect.left = DialogUnitsToPixelsX(t.left, dpi_);
    control.rect.top = DialogUnitsToPixelsY(t.top, dpi_);
    control.rect.right = control.rect.left + DialogUnitsToPixelsX(t.width, dpi_);
    control.rect.bottom = control.rect.top + DialogUnitsToPixelsY(t.height, dpi_);
    controls_.push_back(control);
  }
  if (parent == nullptr) {
    desktopToken_ = desktop_.Add(
        [this] { return caption_; },
        [this](uint32_t kind, const void* data, uint32_t size) -> intptr_t {
          handler_.OnCopyData(kind, data, size);
          return 0;
        });
  }
}

HeadlessWindow::~HeadlessWindow() { Destroy(); }

void HeadlessWindow::EndModal(int result) {
  if (ended_) return;
  ended_ = true;
  result_ = result;
}

void HeadlessWindow::MoveTo(const platform::Rect& rect) {
  windowRect_ = rect;
  clientRect_ = platform::Rect{0, 0, rect.Width(), rect.Height()};
}

void HeadlessWindow::Destroy() {
  if (!exists_) return;
  exists_ = false;
  visible_ = false;
  handler_.OnDestroy();
  panePictures_.clear();
  if (desktopToken_ != 0) desktop_.Remove(desktopToken_);
  desktopToken_ = 0;
  handler_.AttachWindow(nullptr);
}

HeadlessControl* HeadlessWindow::Find(int id) {
  for (HeadlessControl& c : controls_) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

const HeadlessControl* HeadlessWindow::Find(int id) const {
  return const_cast<HeadlessWindow*>(this)->Find(id);
}

void HeadlessWindow::SetText(int id, const std::u16string& text) {
  if (auto* c = Find(id)) c->text = text;
}

std::u16string HeadlessWindow::Text(int id) const {
  const auto* c = Find(id);
  if (c == nullptr) return {};
  if (c->kind == ControlKind::COMBO) return c->selection >= 0 ? c->items[c->selection] : u"";
  return c->text;  // an editable list's edit field too
}

void HeadlessWindow::Enable(int id, bool enabled) {
  if (auto* c = Find(id)) c->enabled = enabled;
}

bool HeadlessWindow::IsEnabled(int id) const {
  const auto* c = Find(id);
  return c != nullptr && c->enabled;
}

void HeadlessWindow::ShowControl(int id, bool visible) {
  if (auto* c = Find(id)) c->visible = visible;
}

bool HeadlessWindow::IsControlVisible(int id) const {
  const auto* c = Find(id);
  return c != nullptr && c->visible;
}

// As BM_SETCHECK: checking an auto radio button unchecks the others of its
// group, as a click on it does.
void HeadlessWindow::SetChecked(int id, bool checked) {
  auto* c = Find(id);
  if (c == nullptr) return;
  if (c->kind == ControlKind::RADIO && checked) {
    CheckRadioInGroup(id);
  } else {
    c->checked = checked;
  }
}

bool HeadlessWindow::IsChecked(int id) const {
  const auto* c = Find(id);
  return c != nullptr && c->checked;
}

platform::Rect HeadlessWindow::ControlRect(int id) const {
  const auto* c = Find(id);
  return c != nullptr ? c->rect : platform::Rect{};
}

void HeadlessWindow::ClearItems(int id) {
  if (auto* c = Find(id)) {
    c->items.clear();
    c->selection = -1;
    if (HasEditField(c->kind)) c->text.clear();  // as CB_RESETCONTENT
    c->droppedWidth = 0;
  }
}

int HeadlessWindow::AddItem(int id, const std::u16string& text) {
  auto* c = Find(id);
  if (c == nullptr) return -1;
  c->items.push_back(text);
  WidenDroppedList(*c, text, dpi_);
  return static_cast<int>(c->items.size()) - 1;
}

int HeadlessWindow::InsertItem(int id, int index, const std::u16string& text) {
  auto* c = Find(id);
  if (c == nullptr) return -1;
  if (index < 0 || index > static_cast<int>(c->items.size())) index = static_cast<int>(c->items.size());
  c->items.insert(c->items.begin() + index, text);
  if (c->selection >= index) ++c->selection;
  WidenDroppedList(*c, text, dpi_);
  return index;
}

int HeadlessWindow::DroppedListWidth(int id) const {
  const auto* c = Find(id);
  if (c == nullptr || !IsDropDownList(c->kind)) return 0;
  return std::max(c->droppedWidth, c->rect.Width());
}

int HeadlessWindow::ItemCount(int id) const {
  const auto* c = Find(id);
  return c != nullptr ? static_cast<int>(c->items.size()) : 0;
}

std::u16string HeadlessWindow::ItemText(int id, int index) const {
  const auto* c = Find(id);
  if (c == nullptr || index < 0 || index >= static_cast<int>(c->items.size())) return {};
  return c->items[index];
}

void HeadlessWindow::SetSelection(int id, int index) {
  auto* c = Find(id);
  if (c == nullptr) return;
  // As CB_SETCURSEL: -1 clears the selection and an index past the list
  // leaves it as it was (whatever the documentation says); an editable
  // list's edit field shows the selected item or nothing.
  if (index >= static_cast<int>(c->items.size())) return;
  c->selection = index >= 0 ? index : -1;
  if (HasEditField(c->kind)) c->text = c->selection >= 0 ? c->items[c->selection] : u"";
}

void HeadlessWindow::AddSystemFontNames(int id) {
  if (Find(id) == nullptr) return;
  std::vector<std::u16string> names = desktop_.fontNames;
  std::sort(names.begin(), names.end(), NameBefore);
  names.erase(std::unique(names.begin(), names.end()), names.end());
  for (const std::u16string& name : names) (void)AddItem(id, name);
}

void HeadlessWindow::SetSliderRange(int id, int minimum, int maximum) {
  auto* c = Find(id);
  if (c == nullptr) return;
  c->sliderMinimum = minimum;
  c->sliderMaximum = maximum;
  c->sliderPosition = std::clamp(c->sliderPosition, minimum, std::max(minimum, maximum));
}

void HeadlessWindow::SetSliderPosition(int id, int position) {
  auto* c = Find(id);
  if (c == nullptr) return;
  // As TBM_SETPOS: a position outside the range becomes its nearest end.
  c->sliderPosition =
      std::clamp(position, c->sliderMinimum, std::max(c->sliderMinimum, c->sliderMaximum));
}

int HeadlessWindow::SliderPosition(int id) const {
  const auto* c = Find(id);
  return c != nullptr ? c->sliderPosition : 0;
}

void HeadlessWindow::SetProgressRange(int id, int minimum, int maximum) {
  auto* c = Find(id);
  if (c == nullptr) return;
  c->progressMinimum = minimum;
  c->progressMaximum = maximum;
  c->progressPosition = std::clamp(c->progressPosition, minimum, std::max(minimum, maximum));
}

void HeadlessWindow::SetProgressPosition(int id, int position) {
  auto* c = Find(id);
  if (c == nullptr) return;
  // As PBM_SETPOS: a position outside the range becomes its nearest end.
  c->progressPosition =
      std::clamp(position, c->progressMinimum, std::max(c->progressMinimum, c->progressMaximum));
}

int HeadlessWindow::ProgressPosition(int id) const {
  const auto* c = Find(id);
  return c != nullptr ? c->progressPosition : 0;
}

void HeadlessWindow::SetChosenColor(int id, uint32_t color) {
  if (auto* c = Find(id)) c->color = color & 0x00FFFFFFu;
}

uint32_t HeadlessWindow::ChosenColor(int id) const {
  const auto* c = Find(id);
  return c != nullptr ? c->color : 0;
}

int HeadlessWindow::Selection(int id) const {
  const auto* c = Find(id);
  return c != nullptr ? c->selection : -1;
}

void HeadlessWindow::SetParentWindow(platform::Window* parent) {
  parent_ = static_cast<HeadlessWindow*>(parent);
}

bool HeadlessWindow::AppendSystemMenuItem(uint32_t command, const std::u16string& text) {
  // Only top-level windows with a caption have a system menu.
  if (parent_ != nullptr) return false;
  systemMenu_.push_back(SystemMenuItem{command, text});
  return true;
}

bool HeadlessWindow::CreateStatusBar(const platform::Rect& rect) {
  statusBar_.exists = true;
  statusBar_.rect = rect;
  return true;
}

void HeadlessWindow::SetStatusBarState(bool enabled, bool visible) {
  statusBar_.enabled = enabled;
  statusBar_.visible = visible;
}

platform::Rect HeadlessWindow::ControlScreenRect(int id) const {
  platform::Rect rect = ControlRect(id);
  // The screen origin of the client area: the window's own place, plus its
  // parent's for a child window.
  int x = windowRect_.left, y = windowRect_.top;
  for (const HeadlessWindow* p = parent_; p != nullptr; p = p->parent_) {
    x += p->windowRect_.left;
    y += p->windowRect_.top;
  }
  return platform::Rect{rect.left + x, rect.top + y, rect.right + x, rect.bottom + y};
}

void HeadlessWindow::MoveControl(int id, const platform::Rect& clientRect) {
  if (auto* c = Find(id)) c->rect = clientRect;
}

void HeadlessWindow::SetButtonColors(int id, uint32_t faceColor, uint32_t textColor) {
  if (Find(id) == nullptr) return;
  for (auto& entry : buttonColors_) {
    if (entry.first == id) {
      entry.second = ButtonColors{faceColor, textColor};
      return;
    }
  }
  buttonColors_.emplace_back(id, ButtonColors{faceColor, textColor});
}

std::optional<HeadlessWindow::ButtonColors> HeadlessWindow::ButtonColorsOf(int id) const {
  for (const auto& entry : buttonColors_) {
    if (entry.first == id) return entry.second;
  }
  return std::nullopt;
}

void HeadlessWindow::SetPanePicture(int id, std::unique_ptr<platform::Picture> picture) {
  const HeadlessControl* control = Find(id);
  if (control == nullptr || control->kind != ControlKind::PICTURE) return;
  for (auto& entry : panePictures_) {
    if (entry.first == id) {
      entry.second = std::move(picture);
      return;
    }
  }
  panePictures_.emplace_back(id, std::move(picture));
}

const platform::Picture* HeadlessWindow::PanePicture(int id) const {
  for (const auto& entry : panePictures_) {
    if (entry.first == id) return entry.second.get();
  }
  return nullptr;
}

platform::RgbImage HeadlessWindow::PaintPane(int id) const {
  const platform::Rect rect = ControlRect(id);
  return headless::PaintPane(PanePicture(id), rect.Width(), rect.Height());
}

bool HeadlessWindow::CanBeUsed(int id) const {
  const auto* c = Find(id);
  return exists_ && c != nullptr && c->visible && c->enabled;
}

// Auto radio buttons: the radios next to each other in template order form a
// group, and checking one unchecks the others.
void HeadlessWindow::CheckRadioInGroup(int id) {
  const auto self = static_cast<size_t>(Find(id) - controls_.data());
  size_t first = self;
  while (first > 0 && controls_[first - 1].kind == ControlKind::RADIO) --first;
  for (size_t i = first; i < controls_.size() && controls_[i].kind == ControlKind::RADIO; ++i) {
    controls_[i].checked = i == self;
  }
}

bool HeadlessWindow::UserClick(int id) {
  if (!CanBeUsed(id)) return false;
  auto* c = Find(id);
  if (c->kind == ControlKind::CHECK) c->checked = !c->checked;
  if (c->kind == ControlKind::RADIO) CheckRadioInGroup(id);
  handler_.OnCommand(id, platform::kNotifyClicked);
  return true;
}

bool HeadlessWindow::UserSelect(int id, int index) {
  if (!CanBeUsed(id) || index < 0 || index >= ItemCount(id)) return false;
  HeadlessControl* c = Find(id);
  c->selection = index;
  if (HasEditField(c->kind)) c->text = c->items[index];
  handler_.OnCommand(id, platform::kNotifySelectionChange);
  return true;
}

bool HeadlessWindow::UserType(int id, const std::u16string& text) {
  if (!CanBeUsed(id)) return false;
  HeadlessControl* c = Find(id);
  if (c->kind != ControlKind::EDIT && !HasEditField(c->kind)) return false;
  c->text = text;
  return true;
}

bool HeadlessWindow::UserMoveSlider(int id, int position) {
  if (!CanBeUsed(id) || Find(id)->kind != ControlKind::SLIDER) return false;
  SetSliderPosition(id, position);
  handler_.OnCommand(id, platform::kNotifyPositionChange);
  return true;
}

bool HeadlessWindow::UserPickColor(int id, uint32_t color) {
  if (!CanBeUsed(id) || Find(id)->kind != ControlKind::COLORBUTTON) return false;
  SetChosenColor(id, color);
  return true;
}

void HeadlessWindow::SetClickKey(int virtualKey, int controlId) {
  clickKey_ = virtualKey;
  clickKeyControl_ = controlId;
}

void HeadlessWindow::SetToolTip(int id, const std::u16string& text) {
  if (id != platform::kWholeWindow && Find(id) == nullptr) return;
  for (auto& entry : toolTips_) {
    if (entry.first == id) {
      entry.second = text;
      return;
    }
  }
  toolTips_.emplace_back(id, text);
}

std::u16string HeadlessWindow::ToolTip(int id) const {
  for (const auto& entry : toolTips_) {
    if (entry.first == id) return entry.second;
  }
  return {};
}

void HeadlessWindow::SetAccessibleName(int id, const std::u16string& name) {
  if (id != platform::kWholeWindow && Find(id) == nullptr) return;
  for (auto& entry : accessibleNames_) {
    if (entry.first == id) {
      entry.second = name;
      return;
    }
  }
  accessibleNames_.emplace_back(id, name);
}

std::u16string HeadlessWindow::AccessibleName(int id) const {
  for (const auto& entry : accessibleNames_) {
    if (entry.first == id) return entry.second;
  }
  return id == platform::kWholeWindow ? caption_ : Text(id);
}

std::vector<int> HeadlessWindow::TabOrder() const {
  std::vector<int> order;
  for (int id : tabOrder_) {
    if (Find(id) != nullptr) order.push_back(id);
  }
  for (const HeadlessControl& c : controls_) {
    if (TakesFocus(c.kind) && std::find(order.begin(), order.end(), c.id) == order.end()) {
      order.push_back(c.id);
    }
  }
  return order;
}

bool HeadlessWindow::UserPressKey(int focusId, int virtualKey) {
  if (!exists_) return false;
  const HeadlessControl* focus = focusId == platform::kWholeWindow ? nullptr : Find(focusId);
  if (focusId != platform::kWholeWindow && (focus == nullptr || !CanBeUsed(focusId))) return false;
  if (focus != nullptr && TakesTyping(focus->kind)) {
    if (virtualKey != platform::kKeySpace) return false;
    Find(focusId)->text += u' ';
    return true;
  }
  if (clickKey_ != 0 && virtualKey == clickKey_) return UserClick(clickKeyControl_);
  if (focus == nullptr || virtualKey != platform::kKeySpace) return false;
  switch (focus->kind) {
    case ControlKind::CHECK: case ControlKind::RADIO: case ControlKind::BUTTON:
    case ControlKind::DEFBUTTON: case ControlKind::CAPTUREBUTTON: case ControlKind::COLORBUTTON:
      return UserClick(focusId);
    default:
      return false;
  }
}

void HeadlessWindow::UserMoveToDpi(int dpi) {
  if (!exists_ || dpi <= 0 || dpi == dpi_) return;
  const int from = dpi_;
  for (HeadlessControl& c : controls_) c.rect = ScaledRect(c.rect, from, dpi);
  for (auto& [id, listView] : listViews_) listView->clientWidth = Find(id)->rect.Width() - 2;
  windowRect_.right = windowRect_.left + Scaled(windowRect_.Width(), from, dpi);
  windowRect_.bottom = windowRect_.top + Scaled(windowRect_.Height(), from, dpi);
  clientRect_ = ScaledRect(clientRect_, from, dpi);
  if (statusBar_.exists) {
    // The status bar keeps to the bottom edge at its scaled height.
    const int height = Scaled(statusBar_.rect.Height(), from, dpi);
    statusBar_.rect = platform::Rect{0, clientRect_.bottom - height, clientRect_.right,
                                     clientRect_.bottom};
  }
  dpi_ = dpi;
  for (HeadlessControl& c : controls_) {
    if (IsDropDownList(c.kind)) FitDroppedList(c, dpi);
  }
  handler_.OnDpiChanged();
}

void HeadlessWindow::UserClose() {
  if (exists_) handler_.OnCancel();
}

void HeadlessWindow::UserSysCommand(uint32_t command) {
  if (!exists_) return;
  if (handler_.OnSysCommand(command)) return;
  // The default handling of the system menu's Close.
  if ((command & 0xFFF0u) == 0xF060u) handler_.OnCancel();
}

}  // namespace headless
