// What the watermark tests share: the library's watermark calls, the
// dialog the settings button opens, and settings written before a start.
#pragma once

#include <string>
#include <vector>

#include "CaptureWindowHarness.h"
#include "settings/SettingsFile.h"

namespace watermark_test {

// The capture window hides its watermark controls after every text pass;
// the tests show them to use them as a user of a window that shows them.
inline void ShowWatermarkControls(CaptureWindowHarness& h) {
  h.Window().ShowControl(IDC_WATERMARK, true);
  h.Window().ShowControl(IDC_WATERMARK_SETTINGS, true);
}

// Every camSetImageWaterMark line of the call log since the library was
// last initialised (a restarted window may find the log of the one before),
// in order.
inline std::vector<std::string> WatermarkCalls(CaptureWindowHarness& h) {
  std::vector<std::string> calls;
  for (const std::string& line : h.CallLines()) {
    if (line == "camInitCameraLib()") calls.clear();
    if (line.rfind("camSetImageWaterMark(", 0) == 0) calls.push_back(line);
  }
  return calls;
}

inline std::string LastWatermarkCall(CaptureWindowHarness& h) {
  const std::vector<std::string> calls = WatermarkCalls(h);
  return calls.empty() ? std::string() : calls.back();
}

// The watermark dialog while it is open.
inline headless::HeadlessWindow& WatermarkDialog(CaptureWindowHarness& h) {
  headless::HeadlessWindow* dialog = h.host.ui.ActiveModal();
  EXPECT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->TemplateId(), IDD_WATERMARK);
  return *dialog;
}

inline void SaveSettings(CaptureWindowHarness& h, const settings::SessionSettings& record) {
  ASSERT_TRUE(settings::SaveSessionSettingsFile(
      h.host.os, h.ProgramFile("LastSetting.xml").string(), record));
}

}  // namespace watermark_test
