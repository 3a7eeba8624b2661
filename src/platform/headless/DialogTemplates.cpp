#include "platform/headless/DialogTemplates.h"

#include "DialogTables.h"

namespace headless {
namespace {

#define HEADLESS_CONTROL(id, kind, caption, x, y, w, h, state) \
  ControlTemplate{id, ControlKind::kind, caption, x, y, w, h, ControlState::state},
#define HEADLESS_DIALOG(id, caption, w, h) id, caption, w, h

const std::vector<DialogTemplate>& AllTemplates() {
  static const std::vector<DialogTemplate> templates = {
      {CAPTURE_WINDOW_FRAME(HEADLESS_DIALOG), {CAPTURE_WINDOW_CONTROLS(HEADLESS_CONTROL)}},
      {ABOUTBOX_FRAME(HEADLESS_DIALOG), {ABOUTBOX_CONTROLS(HEADLESS_CONTROL)}},
      {MAIN_PREVIEW_HOST_FRAME(HEADLESS_DIALOG), {MAIN_PREVIEW_HOST_CONTROLS(HEADLESS_CONTROL)}},
      {SECONDARY_PREVIEW_HOST_FRAME(HEADLESS_DIALOG),
       {SECONDARY_PREVIEW_HOST_CONTROLS(HEADLESS_CONTROL)}},
      {MERGE_PREVIEW_FRAME(HEADLESS_DIALOG), {MERGE_PREVIEW_CONTROLS(HEADLESS_CONTROL)}},
      {MERGE_OPTIONS_FRAME(HEADLESS_DIALOG), {MERGE_OPTIONS_CONTROLS(HEADLESS_CONTROL)}},
      {RECEIVE_DS_MESSAGES_FRAME(HEADLESS_DIALOG),
       {RECEIVE_DS_MESSAGES_CONTROLS(HEADLESS_CONTROL)}},
      {WATERMARK_FRAME(HEADLESS_DIALOG), {WATERMARK_CONTROLS(HEADLESS_CONTROL)}},
      {AUTO_CAPTURE_FRAME(HEADLESS_DIALOG), {AUTO_CAPTURE_CONTROLS(HEADLESS_CONTROL)}},
  };
  return templates;
}

#undef HEADLESS_CONTROL
#undef HEADLESS_DIALOG

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

}  // namespace

const DialogTemplate* FindDialogTemplate(int templateId) {
  for (const DialogTemplate& t : AllTemplates()) {
    if (t.id == templateId) return &t;
  }
  return nullptr;
}

int DialogUnitsToPixelsX(int units, int dpi) { return units * kBaseUnitX * dpi / (4 * 96); }
int DialogUnitsToPixelsY(int units, int dpi) { return units * kBaseUnitY * dpi / (8 * 96); }

}  // namespace headless
