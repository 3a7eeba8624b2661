// A whole process session on the headless platform: the application object
// runs the capture window modally while the data source's twin and the user
// act through queued steps.
#pragma once

#include <gtest/gtest.h>

#include "app/CTessivueApp.h"
#include "capturewindow/CTessivueDlg.h"
#include "resource.h"
#include "support/CheckedPlatform.h"
#include "support/DataSourceTwin.h"
#include "support/ProgramFolder.h"

struct Session {
  void Step(std::function<void()> step) { host.ui.AddStep(std::move(step)); }
  void Run() { EXPECT_FALSE(app.InitInstance()); }

  testing_support::CheckedPlatform host;
  testing_support::ProgramFolder program{host.os};
  testing_support::DataSourceTwin dataSource{host.desktop};
  CTessivueApp app{host.platform};
};

class SessionTest : public ::testing::Test, protected Session {
 protected:
  using Session::Run;
  // The capture window while its modal loop runs.
  headless::HeadlessWindow& CaptureWindow() {
    headless::HeadlessWindow* window = host.ui.LastModal(IDD_CAPTURE_WINDOW);
    EXPECT_NE(window, nullptr);
    return *window;
  }
};

using Transcript = std::vector<std::string>;
