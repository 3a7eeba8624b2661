// A connected link controller on the headless desktop, with the data
// source's twin and a capture window that records what the link asks of it.
#pragma once

#include <gtest/gtest.h>

#include "dslink/CScanTwainControl.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/DataSourceTwin.h"

struct RecordingShowWindow : ITwainShowWindow {
  int NoOperation() override { return 1; }
  int ShowTwainWindow(int) override { return 1; }
  int CaptureOne() override { return 1; }
  int EnableMergeOption(int) override { return 1; }
  int CloseTwainWindow() override { return ++closeRequests; }
  int ShowByMode() override { return 1; }
  void ApplyDSSettings(const DSScanSettings&) override {}

  int closeRequests = 0;
};

class LinkTest : public ::testing::Test {
 protected:
  void Connect() { ASSERT_EQ(link.Connect(&window), 1); }

  headless::HeadlessPlatform host;
  testing_support::DataSourceTwin dataSource{host.desktop};
  CScanTwainControl link{host.platform};
  RecordingShowWindow window;
};

using Transcript = std::vector<std::string>;
