// The services a running core is given: one of each.
#pragma once

#include "platform/Imaging.h"
#include "platform/Link.h"
#include "platform/Os.h"
#include "platform/Ui.h"

namespace platform {

struct Platform {
  Os& os;
  Ui& ui;
  Link& link;
  Imaging& imaging;
};

}  // namespace platform
