// What every component of the capture window is given: the platform, the
// camera library, the UI texts, the session settings, the data-source link
// and the capture window itself. The records live as long as the capture
// window; the context only refers to them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "camera/CameraLibrary.h"
#include "context/CaptureWindow.h"
#include "dslink/CScanTwainControl.h"
#include "localisation/UiTextTable.h"
#include "platform/Platform.h"
#include "settings/SessionSettings.h"

struct CaptureContext {
  platform::Platform& platform;
  camera::CameraLibrary& camera;
  localisation::UiTextTable& texts;
  settings::SessionSettings& settings;
  CScanTwainControl& link;
  CaptureWindow& window;
  // The program's folder, once start-up has read it.
  const std::optional<std::string>& moduleFolder;

  platform::Window& Controls() const { return window.Controls(); }
  const std::u16string& Text(localisation::UiText key) const { return texts.Text(key); }

  // A plain message box over the capture window: no caption text, one OK button.
  void ShowMessage(const std::u16string& text) const {
    platform.ui.ShowMessageBox(&window.Controls(), text);
  }
  void ShowMessage(localisation::UiText key) const { ShowMessage(Text(key)); }
  // "%s: %d" with the "ErrCode" text and the code.
  void ShowErrorCode(int32_t code) const {
    std::u16string message = Text(localisation::UiText::ErrCode) + u": ";
    for (char c : std::to_string(code)) message.push_back(static_cast<char16_t>(c));
    ShowMessage(message);
  }
};
