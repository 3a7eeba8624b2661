// The secondary-camera merge options (template 131): where the secondary
// camera's picture goes, outside the main picture at one of eight places
// around it or inside it as an inset at one of five anchors. Modal; it
// edits a copy of the options, which the caller takes back after OK.
#pragma once

#include "localisation/UiTextTable.h"
#include "platform/Ui.h"

// MergeType: 0 inside (an inset at MergePosition), 1..8 outside, naming the
// side and end the secondary picture is attached to. MergePosition: the
// inset's anchor, 0 centre, 1 top left, 2 top right, 3 bottom right,
// 4 bottom left; outside merges ignore it.
struct MergeOptions {
  int MergeType = 0;
  int MergePosition = 2;
};

class CMergeOptionDlg : public platform::DialogHandler {
 public:
  explicit CMergeOptionDlg(const localisation::UiTextTable& texts) : texts_(texts) {}

  // In before RunModal; after OK, what the user chose.
  MergeOptions options;

  bool OnInitDialog() override;
  void OnCommand(int controlId, int notifyCode) override;

 private:
  // Checks the outside or the inside box and enables only that set of radios.
  void SetMode(bool outside);
  // Checks `radioId` and unchecks the other radios; 0 unchecks them all.
  void CheckOnly(int radioId);

  const localisation::UiTextTable& texts_;
};
