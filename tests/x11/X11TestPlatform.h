// The core's ports for end-to-end runs: the real X11 adapters for windows, screens,
// applications, hotkeys, the clipboard and key synthesis, the window manager's edge tiling,
// real time for the main queue, and the simulated stand-ins for the ports these runs do not
// exercise (settings, lifecycle, updates, shell, mouse tap, window list, preview, files).
// Background work runs on the test loop, which has no Qt loop to hand results back to.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "RealTimeLoop.h"
#include "core/platform/Platform.h"
#include "linux/desktop/DesktopEdgeTiling.h"
#include "linux/x11/X11Adapters.h"
#include "linux/x11/X11Pasteboard.h"
#include "sim/SimBackground.h"
#include "sim/SimClock.h"
#include "sim/SimDefaults.h"
#include "sim/SimEventTap.h"
#include "sim/SimFiles.h"
#include "sim/SimLifecycle.h"
#include "sim/SimOnboardingWindow.h"
#include "sim/SimOverlaySurface.h"
#include "sim/SimPopupPanel.h"
#include "sim/SimSettingsWindow.h"
#include "sim/SimShell.h"
#include "sim/SimUpdateService.h"
#include "sim/SimWindowList.h"

namespace dovrik::x11test {

class X11TestPlatform {
 public:
  // `ownPid` is the process whose windows count as Dovrik's own; `dataDirs` hold the
  // applications' .desktop entries (empty: the environment's).
  X11TestPlatform(const std::string& display, ProcessId ownPid,
                  std::vector<std::string> dataDirs = {})
      : x(display.c_str(), ownPid, std::move(dataDirs)),
        loop(x.connection),
        overlaySurface(previewClock),
        popupPanel(previewClock),
        background(loop),
        pasteboard(x.connection, loop, background) {}
  X11TestPlatform(const X11TestPlatform&) = delete;
  X11TestPlatform& operator=(const X11TestPlatform&) = delete;

  Platform platform() {
    return Platform{
        .clock = loop,
        .scheduler = loop,
        .defaults = defaults,
        .accessibility = x.accessibility,
        .screens = x.screens,
        .runningApps = x.runningApps,
        .hotkeys = x.hotkeys,
        .shell = shell,
        .loginItem = loginItem,
        .texts = PlatformTexts::linux(),
        .eventTap = eventTap,
        .windowList = windowList,
        .overlaySurface = overlaySurface,
        .popupPanel = popupPanel,
        .background = background,
        .pasteboard = pasteboard,
        .keySynth = x.keySynth,
        .files = files,
        .installedApps = x.installedApps,
        .settingsWindow = settingsWindow,
        .lifecycle = lifecycle,
        .onboardingWindow = onboardingWindow,
        .updateService = updateService,
        .edgeTiling = edgeTiling,
    };
  }

  x11::X11Adapters x;
  RealTimeLoop loop;
  sim::SimDefaultsDomains defaults;
  sim::SimShell shell;
  sim::SimLoginItem loginItem;
  sim::SimEventTap eventTap;
  sim::SimWindowList windowList;
  sim::SimClock previewClock;
  sim::SimOverlaySurface overlaySurface;
  sim::SimPopupPanel popupPanel;
  sim::SimSettingsWindow settingsWindow;
  sim::SimLifecycle lifecycle;
  sim::SimOnboardingWindow onboardingWindow;
  sim::SimUpdateService updateService;
  sim::SimBackground background;
  x11::X11Pasteboard pasteboard;
  sim::SimFiles files;
  // Its tools reach only the test server's session bus.
  desktop::DesktopEdgeTiling edgeTiling{[this] { return x.clients.windowManagerName(); }};
};

}  // namespace dovrik::x11test
