// What the capture window's tests share beyond the harness: the camera
// library's calls read from its log, commands to the controls the window
// keeps hidden, captures at a given tick, the thumbnail list, the dialogs
// the window opens and the watermark the library was sent.
#pragma once

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "CaptureWindowHarness.h"
#include "platform/headless/HeadlessListView.h"
#include "settings/SettingsFile.h"

namespace steps {

// A session in a program folder as installed: the reference cameras, the
// shipped languages, nothing saved.
class WindowTest : public testing::Test {
 protected:
  CaptureWindowHarness h;
};

using Lines = std::vector<std::string>;
using Texts = std::vector<std::u16string>;
using Transcript = std::vector<std::string>;

inline std::string NameOf(const std::string& line) { return line.substr(0, line.find('(')); }

// The library's calls from line `mark` of its log on; only those of the
// exports `names` when any are named.
inline Lines Calls(CaptureWindowHarness& h, std::initializer_list<const char*> names = {},
                   size_t mark = 0) {
  const Lines lines = h.CallLines();
  Lines picked;
  for (size_t i = mark; i < lines.size(); ++i) {
    const bool named = std::any_of(names.begin(), names.end(),
                                   [&](const char* name) { return NameOf(lines[i]) == name; });
    if (names.size() == 0 || named) picked.push_back(lines[i]);
  }
  return picked;
}
// Where the call log ends now, for Calls(h, {}, mark) later.
inline size_t Mark(CaptureWindowHarness& h) { return h.CallLines().size(); }
// The library's calls while `action` runs; only those of `names` when any
// are named.
inline Lines CallsDuring(CaptureWindowHarness& h, const std::function<void()>& action,
                         std::initializer_list<const char*> names = {}) {
  const size_t mark = Mark(h);
  action();
  return Calls(h, names, mark);
}

inline size_t Count(const Lines& lines, const std::string& prefix) {
  return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.rfind(prefix, 0) == 0;
  }));
}
// The lines from the last one starting with `prefix` on; empty without one.
inline Lines FromLast(const Lines& lines, const std::string& prefix) {
  for (size_t i = lines.size(); i-- > 0;) {
    if (lines[i].rfind(prefix, 0) == 0) return Lines(lines.begin() + static_cast<long>(i), lines.end());
  }
  return {};
}
inline Lines FirstOf(Lines lines, size_t count) {
  lines.resize(std::min(count, lines.size()));
  return lines;
}

// The controls of the secondary camera and the video-format list are
// hidden for good; the data source's window messages (a WM_COMMAND, as the
// reference data source sends) still reach their handlers.
inline void CommandSelect(CaptureWindowHarness& h, int id, int index) {
  h.Window().SetSelection(id, index);
  h.Window().Handler().OnCommand(id, platform::kNotifySelectionChange);
}

// One digit per control, in the order given: 1 when it is enabled (shown,
// checked), 0 when not.
template <typename Flag>
std::string Flags(headless::HeadlessWindow& w, std::initializer_list<int> ids, Flag flag) {
  std::string flags;
  for (int id : ids) flags += (w.*flag)(id) ? '1' : '0';
  return flags;
}
inline std::string Enabled(headless::HeadlessWindow& w, std::initializer_list<int> ids) {
  return Flags(w, ids, &headless::HeadlessWindow::IsEnabled);
}
inline std::string Shown(headless::HeadlessWindow& w, std::initializer_list<int> ids) {
  return Flags(w, ids, &headless::HeadlessWindow::IsControlVisible);
}
inline std::string Checked(headless::HeadlessWindow& w, std::initializer_list<int> ids) {
  return Flags(w, ids, &headless::HeadlessWindow::IsChecked);
}

inline Texts Items(CaptureWindowHarness& h, int id) {
  Texts items;
  for (int i = 0; i < h.Window().ItemCount(id); ++i) items.push_back(h.Window().ItemText(id, i));
  return items;
}

// A file of the work folder as the link and the thumbnail list name it.
inline std::u16string WorkPath(CaptureWindowHarness& h, const std::string& name) {
  return h.host.os.AnsiToWide(h.WorkFile(name));
}
inline bool WorkFileExists(CaptureWindowHarness& h, const std::string& name) {
  return h.host.os.FileExists(WorkPath(h, name));
}

// Presses Capture with the clock at `tick`: the pictures are named after it.
inline void CaptureAt(CaptureWindowHarness& h, uint32_t tick) {
  h.host.os.tickCount = tick;
  ASSERT_TRUE(h.Window().UserClick(IDC_CAPTURE));
}

inline headless::HeadlessListView& Thumbnails(CaptureWindowHarness& h) {
  return *static_cast<headless::HeadlessListView*>(h.Window().ListViewControl(IDC_THUMBNAILS));
}
// Selects only `item` of the thumbnail list and presses Delete.
inline void DeleteOnly(CaptureWindowHarness& h, int item) {
  Thumbnails(h).UserSelectOnly(item);
  EXPECT_TRUE(Thumbnails(h).UserPressKey(platform::kKeyDelete));
}
inline Texts ThumbnailTexts(CaptureWindowHarness& h) {
  Texts texts;
  for (const auto& item : Thumbnails(h).items) texts.push_back(item.text);
  return texts;
}

// A window as the library's calls name it.
inline std::string Handle(platform::Window* window) {
  return window != nullptr ? std::to_string(window->NativeHandle()) : "none";
}
inline headless::HeadlessWindow& Headless(platform::Window* window) {
  return *static_cast<headless::HeadlessWindow*>(window);
}

// The dialog open over the capture window, expected from `templateId`.
inline headless::HeadlessWindow& Modal(CaptureWindowHarness& h, int templateId) {
  headless::HeadlessWindow* dialog = h.host.ui.ActiveModal();
  EXPECT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->TemplateId(), templateId);
  return *dialog;
}

inline settings::SessionSettings SavedSettings(CaptureWindowHarness& h) {
  settings::SessionSettings saved;
  EXPECT_TRUE(settings::LoadSessionSettingsFile(
      h.host.os, h.ProgramFile("LastSetting.xml").string(), saved));
  return saved;
}
inline bool SettingsFileHas(CaptureWindowHarness& h, const std::string& element) {
  return h.SettingsFileText().find(element) != std::string::npos;
}

// The capture window hides its watermark controls after every text pass;
// the tests show them to use them as a user of a window that shows them.
inline void ShowWatermarkControls(CaptureWindowHarness& h) {
  h.Window().ShowControl(IDC_WATERMARK, true);
  h.Window().ShowControl(IDC_WATERMARK_SETTINGS, true);
}
// The last camSetImageWaterMark call; empty without one.
inline std::string LastWatermarkCall(CaptureWindowHarness& h) {
  const Lines calls = Calls(h, {"camSetImageWaterMark"});
  return calls.empty() ? std::string() : calls.back();
}

}  // namespace steps
