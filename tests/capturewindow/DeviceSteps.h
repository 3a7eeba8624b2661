// Steps and readings shared by the tests of the camera lists: the reference
// library's configuration, commands to controls the window keeps hidden,
// the texts of a list and the library's calls since a mark.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "CaptureWindowHarness.h"
#include "settings/SettingsFile.h"

namespace device_steps {

using Lines = std::vector<std::string>;
using Texts = std::vector<std::u16string>;

inline void SaveSettings(CaptureWindowHarness& h, const settings::SessionSettings& record) {
  ASSERT_TRUE(settings::SaveSessionSettingsFile(
      h.host.os, h.ProgramFile("LastSetting.xml").string(), record));
}

// The controls of the secondary camera and the video-format list are
// hidden for good; the data source's window messages (a WM_COMMAND, as the
// reference data source sends) still reach their handlers.
inline void CommandSelect(CaptureWindowHarness& h, int id, int index) {
  h.Window().SetSelection(id, index);
  h.Window().Handler().OnCommand(id, platform::kNotifySelectionChange);
}
// A click that toggles a hidden check box, as BM_CLICK would.
inline void CommandToggle(CaptureWindowHarness& h, int id) {
  h.Window().SetChecked(id, !h.Window().IsChecked(id));
  h.Window().Handler().OnCommand(id, platform::kNotifyClicked);
}

inline Texts Items(CaptureWindowHarness& h, int id) {
  Texts items;
  for (int i = 0; i < h.Window().ItemCount(id); ++i) items.push_back(h.Window().ItemText(id, i));
  return items;
}

// The library's calls from line `mark` of the call log on.
inline Lines CallsSince(CaptureWindowHarness& h, size_t mark) {
  Lines lines = h.CallLines();
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return mark < lines.size() ? Lines(lines.begin() + static_cast<long>(mark), lines.end())
                             : Lines{};
}
inline size_t Mark(CaptureWindowHarness& h) { return CallsSince(h, 0).size(); }

inline size_t CountCalls(const Lines& lines, const std::string& prefix) {
  size_t count = 0;
  for (const std::string& line : lines) count += line.rfind(prefix, 0) == 0 ? 1 : 0;
  return count;
}

// The calls from the last one starting with `prefix` on; empty without one.
inline Lines FromLast(const Lines& lines, const std::string& prefix) {
  for (size_t i = lines.size(); i-- > 0;) {
    if (lines[i].rfind(prefix, 0) == 0) {
      return Lines(lines.begin() + static_cast<long>(i), lines.end());
    }
  }
  return {};
}

inline Lines FirstOf(const Lines& lines, size_t count) {
  return Lines(lines.begin(), lines.begin() + static_cast<long>(std::min(count, lines.size())));
}

inline Lines Append(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

}  // namespace device_steps
