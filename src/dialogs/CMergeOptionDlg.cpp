#include "dialogs/CMergeOptionDlg.h"

#include "resource.h"

namespace {

using localisation::UiText;

// The outside radios in MergeType order: index i chooses MergeType i + 1.
constexpr int kOutsideRadios[] = {
    IDC_OUTSIDE_LEFT_UPPER,   IDC_OUTSIDE_TOP_LEFT,     IDC_OUTSIDE_TOP_RIGHT,
    IDC_OUTSIDE_RIGHT_UPPER,  IDC_OUTSIDE_RIGHT_LOWER,  IDC_OUTSIDE_BOTTOM_RIGHT,
    IDC_OUTSIDE_BOTTOM_LEFT,  IDC_OUTSIDE_LEFT_LOWER};
constexpr int kOutsideCount = sizeof kOutsideRadios / sizeof kOutsideRadios[0];

// The inside radios in MergePosition order.
constexpr int kInsideRadios[] = {IDC_INSIDE_CENTRE, IDC_INSIDE_TOP_LEFT, IDC_INSIDE_TOP_RIGHT,
                                 IDC_INSIDE_BOTTOM_RIGHT, IDC_INSIDE_BOTTOM_LEFT};
constexpr int kInsideCount = sizeof kInsideRadios / sizeof kInsideRadios[0];

// Switching to outside starts at the top side's left end; switching to
// inside at the top right corner.
constexpr int kOutsideDefaultType = 2;
constexpr int kInsideDefaultPosition = 2;

int IndexOf(const int* ids, int count, int id) {
  for (int i = 0; i < count; ++i) {
    if (ids[i] == id) return i;
  }
  return -1;
}

}  // namespace

bool CMergeOptionDlg::OnInitDialog() {
  const int type = options.MergeType;
  const int position = options.MergePosition;
  if (type >= 1 && type <= kOutsideCount) {
    CheckOnly(kOutsideRadios[type - 1]);
  } else if (type == 0 && position >= 0 && position < kInsideCount) {
    CheckOnly(kInsideRadios[position]);
  } else {
    CheckOnly(0);
  }
  SetMode(type != 0);

  platform::Window& window = *GetWindow();
  window.SetCaption(texts_.Text(UiText::WebcamMergeOption));
  window.SetText(IDC_OUTSIDE_MODE, texts_.Text(UiText::OutSide));
  window.SetText(IDC_INSIDE_MODE, texts_.Text(UiText::InSide));
  window.SetText(IDOK, texts_.Text(UiText::IdOk));
  window.SetText(IDCANCEL, texts_.Text(UiText::IdCancel));
  return true;
}

void CMergeOptionDlg::OnCommand(int controlId, int notifyCode) {
  if (notifyCode != platform::kNotifyClicked) return;
  if (controlId == IDOK) {
    OnOk();
    return;
  }
  if (controlId == IDCANCEL) {
    OnCancel();
    return;
  }
  if (controlId == IDC_OUTSIDE_MODE) {
    SetMode(true);
    options.MergeType = kOutsideDefaultType;
    CheckOnly(kOutsideRadios[kOutsideDefaultType - 1]);
    return;
  }
  if (controlId == IDC_INSIDE_MODE) {
    SetMode(false);
    options.MergeType = 0;
    options.MergePosition = kInsideDefaultPosition;
    CheckOnly(kInsideRadios[kInsideDefaultPosition]);
    return;
  }
  if (const int outside = IndexOf(kOutsideRadios, kOutsideCount, controlId); outside >= 0) {
    CheckOnly(controlId);
    options.MergeType = outside + 1;
    return;
  }
  if (const int inside = IndexOf(kInsideRadios, kInsideCount, controlId); inside >= 0) {
    CheckOnly(controlId);
    options.MergePosition = inside;
  }
}

void CMergeOptionDlg::SetMode(bool outside) {
  platform::Window& window = *GetWindow();
  window.SetChecked(IDC_OUTSIDE_MODE, outside);
  window.SetChecked(IDC_INSIDE_MODE, !outside);
  for (int id : kOutsideRadios) window.Enable(id, outside);
  for (int id : kInsideRadios) window.Enable(id, !outside);
}

void CMergeOptionDlg::CheckOnly(int radioId) {
  platform::Window& window = *GetWindow();
  for (int id : kOutsideRadios) window.SetChecked(id, id == radioId);
  for (int id : kInsideRadios) window.SetChecked(id, id == radioId);
}
