// The commands to the window's hidden camera controls as the reliability
// tests name them; the steps themselves are SessionSteps.h's.
#pragma once

#include "SessionSteps.h"

namespace device_steps {

using steps::CommandSelect;
inline void CommandToggle(CaptureWindowHarness& h, int id) { h.ClickHidden(id); }

}  // namespace device_steps
