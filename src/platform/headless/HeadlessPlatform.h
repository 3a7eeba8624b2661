// Everything a native test needs to run the core: one desktop, and the OS,
// UI and link that share it.
#pragma once

#include "platform/Platform.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessImaging.h"
#include "platform/headless/HeadlessLink.h"
#include "platform/headless/HeadlessOs.h"
#include "platform/headless/HeadlessUi.h"

namespace headless {

struct HeadlessPlatform {
  HeadlessDesktop desktop;
  HeadlessOs os;
  HeadlessUi ui{desktop};
  HeadlessLink link{desktop};
  HeadlessImaging imaging;
  platform::Platform platform{os, ui, link, imaging};
};

}  // namespace headless
