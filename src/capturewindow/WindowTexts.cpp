#include "capturewindow/WindowTexts.h"

#include <cstdio>

#include "localisation/LanguageFiles.h"
#include "resource.h"

namespace capturewindow {
namespace {

using localisation::UiText;

// What one step of the text pass does with its control.
enum class What {
  TextAndFlags,  // caption from `key`, then enable and show from its flags
  Flags,         // enable and show from the flags of `key`
  Refill,        // flags of `key`, then the list's items from `items`
};

struct TextStep {
  int controlId;
  What what;
  UiText key;
  std::vector<UiText> items;
};

// The text pass after the window caption and the Capture button, in order.
// Refilled lists keep their selection by position.
const std::vector<TextStep>& TextSteps() {
  static const std::vector<TextStep> steps = {
      {IDC_AUTO_CAPTURE, What::TextAndFlags, UiText::AutoCapture, {}},
      {IDC_AUTO_CAPTURE_LABEL, What::TextAndFlags, UiText::AutoCaptureText, {}},
      {IDC_AUTO_CAPTURE_MODE, What::Refill, UiText::AutoCaptureText,
       {UiText::AutoCaptureManual, UiText::AutoCaptureOption0, UiText::AutoCaptureOption1,
        UiText::AutoCaptureOption2}},
      {IDC_ROTATE_LABEL, What::TextAndFlags, UiText::Rotate, {}},
      {IDC_ROTATE, What::Refill, UiText::Rotate0,
       {UiText::Rotate0, UiText::Rotate1, UiText::Rotate2, UiText::Rotate3}},
      {IDC_COLOR_LABEL, What::TextAndFlags, UiText::Color, {}},
      {IDC_COLOR_MODE, What::Refill, UiText::Color,
       {UiText::ColorType0, UiText::ColorType1, UiText::ColorType2, UiText::ColorType3}},
      {IDC_CROP_LABEL, What::TextAndFlags, UiText::Cut, {}},
      {IDC_CROP_MODE, What::Refill, UiText::Cut,
       {UiText::CutType0, UiText::CutType1, UiText::CutType2}},
      {IDC_FILL_BORDER, What::TextAndFlags, UiText::CutType3, {}},
      {IDC_FILE_FORMAT_LABEL, What::TextAndFlags, UiText::FileFromat, {}},
      {IDC_FILE_FORMAT, What::Flags, UiText::FileFromat, {}},
      {IDC_MERGE, What::TextAndFlags, UiText::Merge, {}},
      {IDC_HAND_CROP, What::TextAndFlags, UiText::HandCut, {}},
      {IDC_MERGE_HORIZONTAL, What::TextAndFlags, UiText::Horizontal, {}},
      {IDC_MERGE_VERTICAL, What::TextAndFlags, UiText::Vertical, {}},
      {IDC_MEDIA_LABEL, What::TextAndFlags, UiText::Media, {}},
      {IDC_SECONDARY_SIZE_LABEL, What::TextAndFlags, UiText::Resolution, {}},
      {IDC_WATERMARK, What::TextAndFlags, UiText::WaterMark, {}},
  };
  return steps;
}

const std::vector<TextStep>& SecondTextSteps() {
  static const std::vector<TextStep> steps = {
      {IDC_DEVICE_SETTINGS, What::TextAndFlags, UiText::UvcDevice, {}},
      {IDC_IMAGE_SETTINGS, What::TextAndFlags, UiText::UvcImage, {}},
      {IDC_SECONDARY_DEVICE_LABEL, What::TextAndFlags, UiText::cam2Setting, {}},
      {IDC_SECONDARY_CAMERA, What::TextAndFlags, UiText::Webcam, {}},
      {IDC_SECONDARY_MERGE, What::TextAndFlags, UiText::WebcamMerge, {}},
      {IDC_MERGE_SETTINGS, What::TextAndFlags, UiText::Setting, {}},
      {IDC_EXIT, What::TextAndFlags, UiText::Exit, {}},
      {IDC_BEST_FIT, What::TextAndFlags, UiText::Best, {}},
  };
  return steps;
}

const std::vector<TextStep>& LastTextSteps() {
  static const std::vector<TextStep> steps = {
      {IDC_FRAME_SIZE_LABEL, What::TextAndFlags, UiText::Pix, {}},
      {IDC_SAVE, What::TextAndFlags, UiText::Save, {}},
      {IDC_SECONDARY_FRAME_SIZE, What::Flags, UiText::Resolution, {}},
      {IDC_SECONDARY_DEVICE, What::Flags, UiText::cam2Setting, {}},
      {IDC_DEVICE, What::Flags, UiText::Device, {}},
      {IDC_ZOOM_IN, What::Flags, UiText::add, {}},
      {IDC_ZOOM_OUT, What::Flags, UiText::noAdd, {}},
      {IDC_ORIGINAL_SIZE, What::Flags, UiText::bili, {}},
      {IDC_MERGE_GROUP, What::Flags, UiText::megrGroup, {}},
      {IDC_WATERMARK_GROUP, What::Flags, UiText::WaterGroup, {}},
      {IDC_SECONDARY_GROUP, What::Flags, UiText::Cam2Group, {}},
      {IDC_IMAGE_GROUP, What::Flags, UiText::imageGroup, {}},
      {IDC_THUMBNAILS, What::Flags, UiText::list, {}},
      {IDC_SECONDARY_CAPTURE, What::TextAndFlags, UiText::cam2Capture, {}},
  };
  return steps;
}

constexpr uint32_t kCaptureFace = 0x00D35408;  // RGB(8, 84, 211)
constexpr uint32_t kCaptureText = 0x00FFFFFF;  // white
// Pixels at 96 DPI.
constexpr int kStatusBarHeight = 20;
constexpr int kDeviceListWideningLess = 80;

std::u16string FileStem(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"\\/");
  std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind(u'.');
  return dot == std::u16string::npos ? name : name.substr(0, dot);
}

}  // namespace

WindowTexts::WindowTexts(CaptureContext& context) : context_(context) {}

void WindowTexts::FillLanguageBox() {
  languages_.clear();
  if (context_.moduleFolder) {
    (void)localisation::LoadLanguageList(localisation::LanguageListPath(*context_.moduleFolder),
                                         context_.platform.os, languages_);
  }
  platform::Window& window = context_.Controls();
  window.ClearItems(IDC_LANGUAGE);
  for (size_t i = 0; i < languages_.size(); ++i) {
    window.InsertItem(IDC_LANGUAGE, static_cast<int>(i), languages_[i].name);
  }
  for (const localisation::LanguageEntry& entry : languages_) {
    window.Enable(IDC_LANGUAGE, entry.IsEnable != 0);
    window.ShowControl(IDC_LANGUAGE, entry.IsShow != 0);
  }
}

void WindowTexts::CreateStatusBar() {
  if (auto version = context_.platform.os.OwnProductVersion()) productVersion_ = *version;
  platform::Window& window = context_.Controls();
  const platform::Rect client = window.ClientRect();
  const int height = platform::ScaleForDpi(kStatusBarHeight, window.Dpi());
  (void)window.CreateStatusBar({0, client.bottom - height, client.right, client.bottom});
  window.SetStatusText(VersionText(false));
}

void WindowTexts::LoadStartUpLanguage() {
  const std::string& code = context_.settings.Language;
  if (context_.moduleFolder) {
    (void)localisation::LoadUiTexts(localisation::LanguageFilePath(*context_.moduleFolder, code),
                                    context_.platform.os, context_.texts);
  }
  platform::Window& window = context_.Controls();
  if (window.ItemCount(IDC_LANGUAGE) != static_cast<int>(languages_.size())) return;
  const std::u16string wideCode = context_.platform.os.AnsiToWide(code);
  int selection = -1;
  for (size_t i = 0; i < languages_.size() && selection < 0; ++i) {
    if (languages_[i].code == wideCode) selection = static_cast<int>(i);
  }
  window.SetSelection(IDC_LANGUAGE, selection);
}

void WindowTexts::ApplyFlags(int controlId, UiText key) {
  const localisation::UiTextEntry& entry = context_.texts[key];
  platform::Window& window = context_.Controls();
  window.Enable(controlId, entry.IsEnable != 0);
  // The flag is a show command from a file: anything but 0 shows, so that a
  // stray value cannot maximise or minimise a control.
  window.ShowControl(controlId, entry.IsShow != 0);
}

void WindowTexts::ApplyUiTexts() {
  platform::Window& window = context_.Controls();
  const bool exitEnabled = window.IsEnabled(IDC_EXIT);
  const auto moduleFile = context_.platform.os.ModuleFileName();
  window.SetCaption(FileStem(context_.platform.os.AnsiToWide(moduleFile.value_or(""))));

  const auto runSteps = [this, &window](const std::vector<TextStep>& steps) {
    for (const TextStep& step : steps) {
      if (step.what == What::TextAndFlags) window.SetText(step.controlId, context_.Text(step.key));
      ApplyFlags(step.controlId, step.key);
      if (step.what == What::Refill) {
        std::vector<std::u16string> items;
        for (UiText item : step.items) items.push_back(context_.Text(item));
        RefillList(step.controlId, items);
      }
    }
  };

  window.SetText(IDC_DEVICE_LABEL, context_.Text(UiText::Device));
  ApplyFlags(IDC_DEVICE_LABEL, UiText::Device);
  window.SetText(IDC_CAPTURE, context_.Text(UiText::Capture));
  ApplyFlags(IDC_CAPTURE, UiText::Capture);
  window.SetButtonColors(IDC_CAPTURE, kCaptureFace, kCaptureText);

  runSteps(TextSteps());
  // The watermark settings button has the common "Setting" caption but its
  // own flags.
  window.SetText(IDC_WATERMARK_SETTINGS, context_.Text(UiText::Setting));
  ApplyFlags(IDC_WATERMARK_SETTINGS, UiText::WaterMarkOption);
  runSteps(SecondTextSteps());

  window.SetStatusText(VersionText(true));
  const localisation::UiTextEntry& version = context_.texts[UiText::Version];
  window.SetStatusBarState(version.IsEnable != 0, version.IsShow != 0);

  for (auto [id, key] :
       {std::pair{IDC_LANGUAGE_LABEL, UiText::Language}, {IDC_UNIT_LABEL, UiText::Unit}}) {
    window.SetText(id, context_.Text(key));
    ApplyFlags(id, key);
  }
  // The unit list offers "DPI" only when it did before the pass: that
  // depends on the open camera, not on the language.
  ApplyFlags(IDC_UNIT, UiText::Unit);
  std::vector<std::u16string> units{context_.Text(UiText::Resolution)};
  if (window.ItemCount(IDC_UNIT) > 1) units.push_back(context_.Text(UiText::DPI));
  RefillList(IDC_UNIT, units);

  runSteps(LastTextSteps());
  if (window.HasControl(IDC_AUTO_FOCUS)) {
    window.SetText(IDC_AUTO_FOCUS, context_.Text(UiText::AuoFocus));
    ApplyFlags(IDC_AUTO_FOCUS, UiText::AuoFocus);
  }
  window.Enable(IDC_EXIT, exitEnabled);
}

void WindowTexts::RefillList(int controlId, const std::vector<std::u16string>& items) {
  platform::Window& window = context_.Controls();
  const int selection = window.Selection(controlId);
  window.ClearItems(controlId);
  for (size_t i = 0; i < items.size(); ++i) {
    window.InsertItem(controlId, static_cast<int>(i), items[i]);
  }
  window.SetSelection(controlId, selection);
}

void WindowTexts::HideFixedControls() {
  platform::Window& window = context_.Controls();
  window.ShowControl(IDC_AUTO_CAPTURE, false);
  for (int id : {IDC_WATERMARK, IDC_WATERMARK_SETTINGS, IDC_SECONDARY_CAMERA,
                 IDC_SECONDARY_DEVICE_LABEL, IDC_SECONDARY_DEVICE, IDC_SECONDARY_SIZE_LABEL,
                 IDC_SECONDARY_FRAME_SIZE, IDC_SECONDARY_MERGE, IDC_MERGE_SETTINGS,
                 IDC_IMAGE_SETTINGS, IDC_MEDIA_LABEL, IDC_MEDIA_TYPE, IDC_WATERMARK_GROUP,
                 IDC_IMAGE_GROUP, IDC_SECONDARY_GROUP}) {
    window.ShowControl(id, false);
  }
  // Widened once, however often the pass runs (one capture window per process).
  if (!deviceListWidened_) {
    deviceListWidened_ = true;
    platform::Rect list = window.ControlRect(IDC_DEVICE);
    list.right += list.Width() * 2 - platform::ScaleForDpi(kDeviceListWideningLess, window.Dpi());
    window.MoveControl(IDC_DEVICE, list);
  }
  for (int id : {IDC_SECONDARY_CAPTURE, IDC_AUTO_FOCUS, IDC_DEVICE_SETTINGS}) {
    window.ShowControl(id, false);
  }
}

bool WindowTexts::SwitchLanguage() {
  const int selection = context_.Controls().Selection(IDC_LANGUAGE);
  if (selection < 0 || selection >= static_cast<int>(languages_.size())) return false;
  if (!context_.moduleFolder) return false;
  // A code that cannot name a file in the language folder is refused here,
  // rather than loading another language in its place.
  const std::string code = context_.platform.os.WideToAnsi(languages_[selection].code);
  if (!localisation::IsSafeLanguageCode(code)) return false;
  if (!localisation::LoadUiTexts(localisation::LanguageFilePath(*context_.moduleFolder, code),
                                 context_.platform.os, context_.texts)) {
    return false;
  }
  ApplyUiTexts();
  HideFixedControls();
  return true;
}

std::optional<std::u16string> WindowTexts::SelectedLanguageCode() const {
  const int selection = context_.Controls().Selection(IDC_LANGUAGE);
  if (selection < 0 || selection >= static_cast<int>(languages_.size())) return std::nullopt;
  return languages_[selection].code;
}

std::u16string WindowTexts::VersionText(bool allFourParts) const {
  char numbers[64];
  const auto& v = productVersion_;
  if (allFourParts) {
    std::snprintf(numbers, sizeof numbers, " : %d.%d.%d.%d", v[0], v[1], v[2], v[3]);
  } else {
    std::snprintf(numbers, sizeof numbers, " : %d.%d.%d", v[0], v[1], v[2]);
  }
  std::u16string text = context_.Text(UiText::Version);
  for (const char* c = numbers; *c != '\0'; ++c) text.push_back(static_cast<char16_t>(*c));
  return text;
}

}  // namespace capturewindow
