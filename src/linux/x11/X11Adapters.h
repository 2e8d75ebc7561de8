// The X11 side of Dovrik assembled over one connection: the ports (screens, accessibility,
// running applications, hotkeys, key synthesis, the installed applications) and the shared
// knowledge they are built from.
// The clipboard needs the main queue, so it is built beside them.
#pragma once

#include <string>
#include <vector>

#include "core/platform/RunningApps.h"
#include "linux/desktop/DesktopApplications.h"
#include "linux/files/DesktopEntries.h"
#include "linux/x11/ActiveWindow.h"
#include "linux/x11/AppDirectory.h"
#include "linux/x11/ClientWindows.h"
#include "linux/x11/FrameMover.h"
#include "linux/x11/I3Placement.h"
#include "linux/x11/X11Accessibility.h"
#include "linux/x11/X11Hotkeys.h"
#include "linux/x11/X11KeySynth.h"
#include "linux/x11/X11RunningApps.h"
#include "linux/x11/X11Screens.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class X11Adapters {
 public:
  // `display` null means $DISPLAY; `ownPid` is the process whose windows are Dovrik's;
  // `dataDirs` empty means the XDG data directories of the environment.
  X11Adapters(const char* display, ProcessId ownPid, std::vector<std::string> dataDirs = {})
      : connection(display),
        clients(connection),
        desktopEntries(dataDirs),
        activeWindow(connection, clients, ownPid),
        apps(clients, desktopEntries),
        mover(connection, clients),
        i3(connection, clients),
        screens(connection, clients, activeWindow, i3),
        accessibility(connection, clients, activeWindow, apps, mover, i3),
        runningApps(connection, apps, activeWindow, ownPid),
        installedApps(dataDirs),
        hotkeys(connection),
        keySynth(connection) {}
  X11Adapters(const X11Adapters&) = delete;
  X11Adapters& operator=(const X11Adapters&) = delete;

  XConnection connection;
  ClientWindows clients;
  files::DesktopEntries desktopEntries;
  ActiveWindow activeWindow;
  AppDirectory apps;
  FrameMover mover;
  I3Placement i3;
  X11Screens screens;
  X11Accessibility accessibility;
  X11RunningApps runningApps;
  desktop::DesktopApplications installedApps;
  X11Hotkeys hotkeys;
  X11KeySynth keySynth;
};

}  // namespace dovrik::x11
