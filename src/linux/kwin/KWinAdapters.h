// The Plasma side of Dovrik assembled over one session-bus connection: the bridge to Dovrik's
// KWin script, the mirror it keeps current, and the ports answered from it.
#pragma once

#include <QDBusConnection>

#include "core/platform/RunningApps.h"
#include "linux/kwin/KWinAccessibility.h"
#include "linux/kwin/KWinApps.h"
#include "linux/kwin/KWinBridge.h"
#include "linux/kwin/KWinEventTap.h"
#include "linux/kwin/KWinHotkeys.h"
#include "linux/kwin/KWinMirror.h"
#include "linux/kwin/KWinRunningApps.h"
#include "linux/kwin/KWinScreens.h"
#include "linux/kwin/KWinScriptLoader.h"
#include "linux/kwin/KWinWindowList.h"

namespace dovrik::kwin {

class KWinAdapters {
 public:
  // `ownPid` is the process whose windows are Dovrik's; `identity` tells outputs' display
  // UUIDs (none without it); `scriptFolder` is where KWin reads the script from, a private
  // runtime folder by default.
  KWinAdapters(QDBusConnection connection, ProcessId ownPid, DisplayIdentity identity = {},
               QString scriptFolder = {})
      : bridge(connection, mirror),
        // The bridge serves before the script starts, so its first report is heard.
        loader(connection, std::move(scriptFolder)),
        apps(mirror, desktopEntries),
        accessibility(mirror, apps, sender()),
        screens(mirror, sender(), std::move(identity)),
        runningApps(mirror, apps, ownPid),
        windowList(mirror, apps),
        eventTap(mirror),
        hotkeys(connection) {}
  KWinAdapters(const KWinAdapters&) = delete;
  KWinAdapters& operator=(const KWinAdapters&) = delete;

  KWinMirror mirror;
  files::DesktopEntries desktopEntries;
  KWinBridge bridge;
  KWinScriptLoader loader;
  KWinApps apps;
  KWinAccessibility accessibility;
  KWinScreens screens;
  KWinRunningApps runningApps;
  KWinWindowList windowList;
  KWinEventTap eventTap;
  KWinHotkeys hotkeys;

 private:
  CommandSink sender() {
    return [this](ScriptCommand command) { bridge.send(std::move(command)); };
  }
};

}  // namespace dovrik::kwin
