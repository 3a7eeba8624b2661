// The headless platform for a test that queues steps. A queued step is a
// check that runs later; one that never ran checked nothing, so the test
// fails: a start-up that cancels before its modal loop, or a window that
// closed before its last step, cannot pass unnoticed.
#pragma once

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"

namespace testing_support {

struct CheckedPlatform : headless::HeadlessPlatform {
  ~CheckedPlatform() {
    if (const size_t left = ui.StepsLeft(); left > 0) {
      ADD_FAILURE() << left << " queued step(s) never ran: the window ended before its loop "
                    << "reached them";
    }
  }
};

}  // namespace testing_support
