// Putting the language's texts, visibility and enabled states on the
// capture window's controls, and switching the language.
#include "capturewindow/CTessivueDlg.h"
#include "localisation/LanguageFiles.h"
#include "localisation/UiTextTable.h"
#include "resource.h"

namespace {

// What one step of the text pass does with its control.
enum class What {
  TextAndFlags,  // caption from `key`, then enable and show from its flags
  Flags,         // enable and show from the flags of `key`
  Refill,        // flags of `key`, then the list's items from `items`
};

struct TextStep {
  int controlId;
  What what;
  const char* key;
  std::vector<const char*> items;
};

// The text pass after the window caption and the Capture button, in order.
// Refilled lists keep their selection by position.
const std::vector<TextStep>& TextSteps() {
  static const std::vector<TextStep> steps = {
      {IDC_AUTO_CAPTURE, What::TextAndFlags, "AutoCapture", {}},
      {IDC_AUTO_CAPTURE_LABEL, What::TextAndFlags, "AutoCaptureText", {}},
      {IDC_AUTO_CAPTURE_MODE, What::Refill, "AutoCaptureText",
       {"AutoCaptureManual", "AutoCaptureOption0", "AutoCaptureOption1", "AutoCaptureOption2"}},
      {IDC_ROTATE_LABEL, What::TextAndFlags, "Rotate", {}},
      {IDC_ROTATE, What::Refill, "Rotate0", {"Rotate0", "Rotate1", "Rotate2", "Rotate3"}},
      {IDC_COLOR_LABEL, What::TextAndFlags, "Color", {}},
      {IDC_COLOR_MODE, What::Refill, "Color",
       {"ColorType0", "ColorType1", "ColorType2", "ColorType3"}},
      {IDC_CROP_LABEL, What::TextAndFlags, "Cut", {}},
      {IDC_CROP_MODE, What::Refill, "Cut", {"CutType0", "CutType1", "CutType2"}},
      {IDC_FILL_BORDER, What::TextAndFlags, "CutType3", {}},
      {IDC_FILE_FORMAT_LABEL, What::TextAndFlags, "FileFromat", {}},
      {IDC_FILE_FORMAT, What::Flags, "FileFromat", {}},
      {IDC_MERGE, What::TextAndFlags, "Merge", {}},
      {IDC_HAND_CROP, What::TextAndFlags, "HandCut", {}},
      {IDC_MERGE_HORIZONTAL, What::TextAndFlags, "Horizontal", {}},
      {IDC_MERGE_VERTICAL, What::TextAndFlags, "Vertical", {}},
      {IDC_MEDIA_LABEL, What::TextAndFlags, "Media", {}},
      {IDC_SECONDARY_SIZE_LABEL, What::TextAndFlags, "Resolution", {}},
      {IDC_WATERMARK, What::TextAndFlags, "WaterMark", {}},
  };
  return steps;
}

const std::vector<TextStep>& SecondTextSteps() {
  static const std::vector<TextStep> steps = {
      {IDC_DEVICE_SETTINGS, What::TextAndFlags, "UvcDevice", {}},
      {IDC_IMAGE_SETTINGS, What::TextAndFlags, "UvcImage", {}},
      {IDC_SECONDARY_DEVICE_LABEL, What::TextAndFlags, "cam2Setting", {}},
      {IDC_SECONDARY_CAMERA, What::TextAndFlags, "Webcam", {}},
      {IDC_SECONDARY_MERGE, What::TextAndFlags, "WebcamMerge", {}},
      {IDC_MERGE_SETTINGS, What::TextAndFlags, "Setting", {}},
      {IDC_EXIT, What::TextAndFlags, "Exit", {}},
      {IDC_BEST_FIT, What::TextAndFlags, "Best", {}},
  };
  return steps;
}

const std::vector<TextStep>& LastTextSteps() {
  static const std::vector<TextStep> steps = {
      {IDC_FRAME_SIZE_LABEL, What::TextAndFlags, "Pix", {}},
      {IDC_SAVE, What::TextAndFlags, "Save", {}},
      {IDC_SECONDARY_FRAME_SIZE, What::Flags, "Resolution", {}},
      {IDC_SECONDARY_DEVICE, What::Flags, "cam2Setting", {}},
      {IDC_DEVICE, What::Flags, "Device", {}},
      {IDC_ZOOM_IN, What::Flags, "add", {}},
      {IDC_ZOOM_OUT, What::Flags, "noAdd", {}},
      {IDC_ORIGINAL_SIZE, What::Flags, "bili", {}},
      {IDC_MERGE_GROUP, What::Flags, "megrGroup", {}},
      {IDC_WATERMARK_GROUP, What::Flags, "WaterGroup", {}},
      {IDC_SECONDARY_GROUP, What::Flags, "Cam2Group", {}},
      {IDC_IMAGE_GROUP, What::Flags, "imageGroup", {}},
      {IDC_THUMBNAILS, What::Flags, "list", {}},
      {IDC_SECONDARY_CAPTURE, What::TextAndFlags, "cam2Capture", {}},
  };
  return steps;
}

constexpr uint32_t kCaptureFace = 0x00D35408;  // RGB(8, 84, 211)
constexpr uint32_t kCaptureText = 0x00FFFFFF;  // white

std::u16string FileStem(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"\\/");
  std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind(u'.');
  return dot == std::u16string::npos ? name : name.substr(0, dot);
}

}  // namespace

void CTessivueDlg::ApplyUiTexts() {
  const auto moduleFile = platform_.os.ModuleFileName();
  Window().SetCaption(FileStem(platform_.os.AnsiToWide(moduleFile.value_or(""))));

  const auto runSteps = [this](const std::vector<TextStep>& steps) {
    for (const TextStep& step : steps) {
      if (step.what == What::TextAndFlags) Window().SetText(step.controlId, Text(step.key));
      ApplyFlags(step.controlId, step.key);
      if (step.what == What::Refill) {
        std::vector<std::u16string> items;
        for (const char* item : step.items) items.push_back(Text(item));
        RefillList(step.controlId, items);
      }
    }
  };

  Window().SetText(IDC_DEVICE_LABEL, Text("Device"));
  ApplyFlags(IDC_DEVICE_LABEL, "Device");
  Window().SetText(IDC_CAPTURE, Text("Capture"));
  ApplyFlags(IDC_CAPTURE, "Capture");
  Window().SetButtonColors(IDC_CAPTURE, kCaptureFace, kCaptureText);

  runSteps(TextSteps());
  // The watermark settings button has the common "Setting" caption but its
  // own flags.
  Window().SetText(IDC_WATERMARK_SETTINGS, Text("Setting"));
  ApplyFlags(IDC_WATERMARK_SETTINGS, "WaterMarkOption");
  runSteps(SecondTextSteps());

  Window().SetStatusText(VersionText(true));
  const localisation::UiTextEntry& version = localisation::ProcessUiTextTable().At("Version");
  Window().SetStatusBarState(version.IsEnable != 0, version.IsShow != 0);

  for (auto [id, key] : {std::pair{IDC_LANGUAGE_LABEL, "Language"}, {IDC_UNIT_LABEL, "Unit"}}) {
    Window().SetText(id, Text(key));
    ApplyFlags(id, key);
  }
  // The unit list offers "DPI" only when it did before the switch: that
  // depends on the open camera, not on the language.
  ApplyFlags(IDC_UNIT, "Unit");
  std::vector<std::u16string> units{Text("Resolution")};
  if (Window().ItemCount(IDC_UNIT) > 1) units.push_back(Text("DPI"));
  RefillList(IDC_UNIT, units);

  runSteps(LastTextSteps());
  if (Window().HasControl(IDC_AUTO_FOCUS)) {
    Window().SetText(IDC_AUTO_FOCUS, Text("AuoFocus"));
    ApplyFlags(IDC_AUTO_FOCUS, "AuoFocus");
  }
}

void CTessivueDlg::RefillList(int controlId, const std::vector<std::u16string>& items) {
  const int selection = Window().Selection(controlId);
  Window().ClearItems(controlId);
  for (size_t i = 0; i < items.size(); ++i) {
    Window().InsertItem(controlId, static_cast<int>(i), items[i]);
  }
  Window().SetSelection(controlId, selection);
}

void CTessivueDlg::HideFixedControls() {
  Window().ShowControl(IDC_AUTO_CAPTURE, false);
  for (int id : {IDC_WATERMARK, IDC_WATERMARK_SETTINGS, IDC_SECONDARY_CAMERA,
                 IDC_SECONDARY_DEVICE_LABEL, IDC_SECONDARY_DEVICE, IDC_SECONDARY_SIZE_LABEL,
                 IDC_SECONDARY_FRAME_SIZE, IDC_SECONDARY_MERGE, IDC_MERGE_SETTINGS,
                 IDC_IMAGE_SETTINGS, IDC_MEDIA_LABEL, IDC_MEDIA_TYPE, IDC_WATERMARK_GROUP,
                 IDC_IMAGE_GROUP, IDC_SECONDARY_GROUP}) {
    Window().ShowControl(id, false);
  }
  // Widened once, however often the pass runs (one capture window per process).
  if (!deviceListWidened_) {
    deviceListWidened_ = true;
    platform::Rect list = Window().ControlRect(IDC_DEVICE);
    list.right += list.Width() * 2 - 80;
    Window().MoveControl(IDC_DEVICE, list);
  }
  for (int id : {IDC_SECONDARY_CAPTURE, IDC_AUTO_FOCUS, IDC_DEVICE_SETTINGS}) {
    Window().ShowControl(id, false);
  }
}

void CTessivueDlg::OnLanguageChange() {
  const int selection = Window().Selection(IDC_LANGUAGE);
  const localisation::LanguageList& languages = localisation::ProcessLanguageList();
  if (selection < 0 || selection >= static_cast<int>(languages.size()) || !moduleFolder_) return;
  const std::string code = platform_.os.WideToAnsi(languages[selection].code);
  if (!localisation::LoadUiTexts(localisation::LanguageFilePath(*moduleFolder_, code),
                                 platform_.os, localisation::ProcessUiTextTable())) {
    return;
  }
  const bool exitEnabled = Window().IsEnabled(IDC_EXIT);
  ApplyUiTexts();
  HideFixedControls();
  Window().Enable(IDC_EXIT, exitEnabled);
}
