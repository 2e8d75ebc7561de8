// A whole simulated platform for tests: virtual time, in-memory defaults, the simulated
// desktop and hotkeys, and the recorded shell, bundled as the core's ports.
#pragma once

#include "core/platform/Platform.h"
#include "sim/SimClock.h"
#include "sim/SimDefaults.h"
#include "sim/SimDesktop.h"
#include "sim/SimHotkeys.h"
#include "sim/SimShell.h"

namespace dovrik::sim {

class SimPlatform {
 public:
  SimPlatform();
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  // The port bundle, with the macOS texts so tests pin the exact words.
  Platform platform();

  SimClock clock;
  SimDefaultsDomains defaults;
  SimDesktop desktop;
  SimHotkeys hotkeys;
  SimShell shell;
  SimLoginItem loginItem;
};

}  // namespace dovrik::sim
