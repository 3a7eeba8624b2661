#include "dialogs/CWaterMarkDlg.h"

#include <string>
#include <vector>

#include "dialogs/ListSearch.h"
#include "dialogs/WatermarkLabels.h"
#include "resource.h"

namespace {

using localisation::UiText;

// The position radios in the order of the position index: row by row from
// the top left.
constexpr int kPositionRadios[] = {
    IDC_WM_POS_TOP_LEFT,    IDC_WM_POS_TOP,    IDC_WM_POS_TOP_RIGHT,
    IDC_WM_POS_LEFT,        IDC_WM_POS_CENTRE, IDC_WM_POS_RIGHT,
    IDC_WM_POS_BOTTOM_LEFT, IDC_WM_POS_BOTTOM, IDC_WM_POS_BOTTOM_RIGHT};
constexpr int kPositionCount = static_cast<int>(sizeof kPositionRadios / sizeof kPositionRadios[0]);
// Their captions are the keys "Pos0" to "Pos8", one after the other.
static_assert(static_cast<size_t>(UiText::Pos8) - static_cast<size_t>(UiText::Pos0) ==
              kPositionCount - 1);

constexpr const char16_t* kFontSizes[] = {u"5",  u"8",  u"9",  u"10", u"11", u"12",
                                          u"14", u"16", u"18", u"20", u"22", u"24",
                                          u"26", u"28", u"36", u"48", u"72"};

constexpr int kTransparencyMaximum = 100;
constexpr int kAngleMaximum = 360;

std::vector<std::u16string> ItemsOf(const platform::Window& window, int id) {
  std::vector<std::u16string> items;
  const int count = window.ItemCount(id);
  for (int i = 0; i < count; ++i) items.push_back(window.ItemText(id, i));
  return items;
}

std::u16string Decimal(int value) {
  std::u16string text;
  for (char c : std::to_string(value)) text.push_back(static_cast<char16_t>(c));
  return text;
}

}  // namespace

CWaterMarkDlg::CWaterMarkDlg(const localisation::UiTextTable& texts,
                             const WatermarkOptions& options)
    : texts_(texts), options_(options) {}

bool CWaterMarkDlg::OnInitDialog() {
  platform::Window& window = *GetWindow();
  window.CenterWindow();  // over the capture window
  ShowFont(window);
  ShowFontSize(window);
  window.SetChosenColor(IDC_WM_COLOR,
                        dialogs::PackColor(options_.red, options_.green, options_.blue));
  ShowSliders(window);

  window.SetChecked(IDC_WM_BOLD, options_.bold);
  window.SetChecked(IDC_WM_ITALIC, options_.italic);
  window.SetChecked(IDC_WM_UNDERLINE, options_.underline);
  window.SetChecked(IDC_WM_TIME_STAMP, options_.timeStamp);
  window.SetText(IDC_WM_TEXT, options_.text);
  if (options_.position >= 0 && options_.position < kPositionCount) {
    window.SetChecked(kPositionRadios[options_.position], true);
  }
  ShowTexts(window);
  return true;
}

// The font list offers the system's fonts; a face it does not have leaves
// it without a selection.
void CWaterMarkDlg::ShowFont(platform::Window& window) {
  window.AddSystemFontNames(IDC_WM_FONT);
  const int index = dialogs::FindItemNamed(ItemsOf(window, IDC_WM_FONT), options_.font);
  if (index >= 0) window.SetSelection(IDC_WM_FONT, index);
}

// The size is found by the list's prefix search, which starts after the
// first entry and wraps: a stored 1 selects "10", a stored 13 nothing, and
// then the edit field stays empty.
void CWaterMarkDlg::ShowFontSize(platform::Window& window) {
  int index = 0;
  for (const char16_t* size : kFontSizes) window.InsertItem(IDC_WM_SIZE, index++, size);
  const int found =
      dialogs::FindItemWithPrefix(ItemsOf(window, IDC_WM_SIZE), 0, Decimal(options_.fontSize));
  if (found >= 0) window.SetSelection(IDC_WM_SIZE, found);
}

void CWaterMarkDlg::ShowSliders(platform::Window& window) {
  window.SetSliderRange(IDC_WM_TRANSPARENCY, 0, kTransparencyMaximum);
  window.SetSliderPosition(IDC_WM_TRANSPARENCY, dialogs::TruncateToInt(options_.transparency));
  window.SetText(IDC_WM_TRANSPARENCY_VALUE, dialogs::PercentText(options_.transparency));
  window.SetSliderRange(IDC_WM_ANGLE, 0, kAngleMaximum);
  window.SetSliderPosition(IDC_WM_ANGLE, dialogs::TruncateToInt(options_.angle));
  window.SetText(IDC_WM_ANGLE_VALUE, dialogs::DegreesText(options_.angle));
}

void CWaterMarkDlg::ShowTexts(platform::Window& window) {
  window.SetCaption(texts_.Text(UiText::WaterMarkOption));
  const struct {
    int id;
    UiText key;
  } labels[] = {
      {IDC_WM_FONT_LABEL, UiText::Font},
      {IDC_WM_SIZE_LABEL, UiText::FontSize},
      {IDC_WM_COLOR_LABEL, UiText::FontColor},
      {IDC_WM_TRANSPARENCY_LABEL, UiText::Transparency},
      {IDC_WM_BOLD, UiText::Weight},
      {IDC_WM_ITALIC, UiText::Italic},
      {IDC_WM_UNDERLINE, UiText::Underline},
      {IDC_WM_TEXT_LABEL, UiText::WMText},
      {IDC_WM_TIME_STAMP, UiText::TimeStamp},
      {IDC_WM_ANGLE_LABEL, UiText::Angle},
      {IDC_WM_POSITION_GROUP, UiText::Pos},
  };
  for (const auto& label : labels) window.SetText(label.id, texts_.Text(label.key));
  for (int i = 0; i < kPositionCount; ++i) {
    const auto key = static_cast<UiText>(static_cast<size_t>(UiText::Pos0) + i);
    window.SetText(kPositionRadios[i], texts_.Text(key));
  }
  window.SetText(IDOK, texts_.Text(UiText::IdOk));
  window.SetText(IDCANCEL, texts_.Text(UiText::IdCancel));
}

void CWaterMarkDlg::OnCommand(int controlId, int notifyCode) {
  platform::Window* window = GetWindow();
  if (window == nullptr) return;
  if (notifyCode == platform::kNotifyPositionChange) {
    // The labels follow the sliders while they move.
    if (controlId == IDC_WM_TRANSPARENCY) {
      window->SetText(IDC_WM_TRANSPARENCY_VALUE,
                      dialogs::PercentText(window->SliderPosition(IDC_WM_TRANSPARENCY)));
    } else if (controlId == IDC_WM_ANGLE) {
      window->SetText(IDC_WM_ANGLE_VALUE,
                      dialogs::DegreesText(window->SliderPosition(IDC_WM_ANGLE)));
    }
    return;
  }
  if (notifyCode != platform::kNotifyClicked) return;
  if (controlId == IDOK) OnOk();
  if (controlId == IDCANCEL) OnCancel();
}

void CWaterMarkDlg::OnOk() {
  platform::Window* window = GetWindow();
  if (window == nullptr) return;
  ReadBack(*window);
  window->EndModal(platform::kIdOk);
}

void CWaterMarkDlg::ReadBack(const platform::Window& window) {
  options_.font = window.Text(IDC_WM_FONT);
  options_.fontSize = dialogs::LeadingInteger(window.Text(IDC_WM_SIZE));
  dialogs::UnpackColor(window.ChosenColor(IDC_WM_COLOR), options_.red, options_.green,
                       options_.blue);
  options_.transparency = static_cast<float>(window.SliderPosition(IDC_WM_TRANSPARENCY));
  options_.angle = static_cast<float>(window.SliderPosition(IDC_WM_ANGLE));
  options_.bold = window.IsChecked(IDC_WM_BOLD);
  options_.italic = window.IsChecked(IDC_WM_ITALIC);
  options_.underline = window.IsChecked(IDC_WM_UNDERLINE);
  options_.timeStamp = window.IsChecked(IDC_WM_TIME_STAMP);
  options_.text = window.Text(IDC_WM_TEXT);
  for (int i = 0; i < kPositionCount; ++i) {
    if (window.IsChecked(kPositionRadios[i])) {
      options_.position = i;
      break;
    }
  }
}
