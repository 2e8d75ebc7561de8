// A whole simulated platform for tests: virtual time, in-memory defaults, the simulated
// desktop, hotkeys, mouse tap, window list, preview window and clipboard panel, the recorded
// shell, the clipboard, synthesised keys, background work on virtual time, in-memory files and
// the installed applications, the process's own lifecycle, the first-run window, the
// updates and the window manager's edge tiling, bundled as the core's ports.
#pragma once

#include "core/platform/PlainLocale.h"
#include "core/platform/Platform.h"
#include "sim/SimBackground.h"
#include "sim/SimClock.h"
#include "sim/SimDefaults.h"
#include "sim/SimDesktop.h"
#include "sim/SimEdgeTiling.h"
#include "sim/SimEventTap.h"
#include "sim/SimFiles.h"
#include "sim/SimHotkeys.h"
#include "sim/SimInstalledApps.h"
#include "sim/SimKeySynth.h"
#include "sim/SimLifecycle.h"
#include "sim/SimOnboardingWindow.h"
#include "sim/SimOverlaySurface.h"
#include "sim/SimPasteboard.h"
#include "sim/SimPopupPanel.h"
#include "sim/SimSettingsWindow.h"
#include "sim/SimShell.h"
#include "sim/SimUpdateService.h"
#include "sim/SimWindowList.h"

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
  SimEventTap eventTap;
  SimWindowList windowList;
  SimOverlaySurface overlaySurface;
  SimPopupPanel popupPanel;
  SimBackground background;
  SimPasteboard pasteboard;
  SimKeySynth keySynth;
  SimFiles files;
  SimInstalledApps installedApps;
  SimSettingsWindow settingsWindow;
  SimLifecycle lifecycle;
  SimOnboardingWindow onboardingWindow;
  SimUpdateService updateService;
  SimEdgeTiling edgeTiling;
  PlainLocale locale;
};

}  // namespace dovrik::sim
