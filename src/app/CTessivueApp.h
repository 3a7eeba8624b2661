// The application object: from process start to the modal capture window
// and back. The process ends when the capture window returns.
#pragma once

#include "platform/Platform.h"

class CTessivueApp {
 public:
  explicit CTessivueApp(platform::Platform& platform) : platform_(platform) {}

  // Runs the capture window modally; FALSE so that the process ends after it
  // instead of entering a message loop of its own.
  bool InitInstance();

 private:
  platform::Platform& platform_;
};
