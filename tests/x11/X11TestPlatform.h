// The core's ports for end-to-end runs: the program's own assembly of an X11 session for windows,
// screens, applications, hotkeys, the clipboard and key synthesis, the window manager's edge
// tiling; real time for the main queue; and the simulated stand-ins for the ports these runs do
// not exercise (settings, lifecycle, updates, shell, mouse tap, window list, preview, files).
// Background work runs on the test loop, which has no Qt loop to hand results back to.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "RealTimeLoop.h"
#include "core/platform/PlainLocale.h"
#include "core/platform/Platform.h"
#include "linux/session/LinuxPlatform.h"
#include "linux/x11/X11Desktop.h"
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
      : background(loop),
        session(LinuxDesktop::x11,
                {.display = display,
                 .ownPid = ownPid,
                 .dataDirs = std::move(dataDirs),
                 .serviceOnQtLoop = false,
                 .previewLook = {}},
                loop, background),
        x(session.x11()->x),
        pasteboard(session.adapters().pasteboard()),
        overlaySurface(previewClock),
        popupPanel(previewClock) {
    loop.watch(x.connection);
  }
  X11TestPlatform(const X11TestPlatform&) = delete;
  X11TestPlatform& operator=(const X11TestPlatform&) = delete;

  // The ports the program's own windows would serve are the stand-ins; the tap and the window
  // list too, as these runs drive the core's drag monitor through the stand-in tap.
  Platform platform() {
    Platform ports = session.platform(HostPorts{
        .clock = loop,
        .scheduler = loop,
        .background = background,
        .defaults = defaults,
        .shell = shell,
        .loginItem = loginItem,
        .locale = locale,
        .files = files,
        .lifecycle = lifecycle,
        .updateService = updateService,
        .settingsWindow = settingsWindow,
        .onboardingWindow = onboardingWindow,
        .popupPanel = popupPanel,
        .overlaySurface = overlaySurface,
    });
    return Platform{
        .clock = ports.clock,
        .scheduler = ports.scheduler,
        .defaults = ports.defaults,
        .accessibility = ports.accessibility,
        .screens = ports.screens,
        .runningApps = ports.runningApps,
        .hotkeys = ports.hotkeys,
        .shell = ports.shell,
        .loginItem = ports.loginItem,
        .texts = ports.texts,
        .locale = ports.locale,
        .eventTap = eventTap,
        .windowList = windowList,
        .overlaySurface = ports.overlaySurface,
        .popupPanel = ports.popupPanel,
        .background = ports.background,
        .pasteboard = ports.pasteboard,
        .keySynth = ports.keySynth,
        .files = ports.files,
        .installedApps = ports.installedApps,
        .settingsWindow = ports.settingsWindow,
        .lifecycle = ports.lifecycle,
        .onboardingWindow = ports.onboardingWindow,
        .updateService = ports.updateService,
        .edgeTiling = ports.edgeTiling,
    };
  }

  RealTimeLoop loop;
  sim::SimBackground background;
  LinuxPlatform session;
  x11::X11Adapters& x;
  Pasteboard& pasteboard;
  sim::SimDefaultsDomains defaults;
  sim::SimShell shell;
  sim::SimLoginItem loginItem;
  PlainLocale locale;
  sim::SimEventTap eventTap;
  sim::SimWindowList windowList;
  sim::SimClock previewClock;
  sim::SimOverlaySurface overlaySurface;
  sim::SimPopupPanel popupPanel;
  sim::SimSettingsWindow settingsWindow;
  sim::SimLifecycle lifecycle;
  sim::SimOnboardingWindow onboardingWindow;
  sim::SimUpdateService updateService;
  sim::SimFiles files;
};

}  // namespace dovrik::x11test
