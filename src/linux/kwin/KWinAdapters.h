// The Plasma side of Dovrik assembled over one session-bus connection: the bridge to Dovrik's
// KWin script, the mirror it keeps current, the ports answered from it and the requests they
// send back through the script.
#pragma once

#include <QDBusConnection>

#include "core/platform/PlatformTexts.h"
#include "core/platform/RunningApps.h"
#include "linux/kwin/KWinBridge.h"
#include "linux/kwin/KWinHotkeys.h"
#include "linux/kwin/KWinScriptLoader.h"
#include "linux/kwin/KWinWindowControl.h"
#include "linux/mirror/MirrorAccessibility.h"
#include "linux/mirror/MirrorApps.h"
#include "linux/mirror/MirrorEventTap.h"
#include "linux/mirror/MirrorRunningApps.h"
#include "linux/mirror/MirrorScreens.h"
#include "linux/mirror/MirrorWindowList.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::kwin {

class KWinAdapters {
 public:
  // `ownPid` is the process whose windows are Dovrik's; `identity` tells outputs' display
  // UUIDs (none without it); `scriptFolder` is where KWin reads the script from, a private
  // runtime folder by default.
  KWinAdapters(QDBusConnection connection, ProcessId ownPid, mirror::DisplayIdentity identity = {},
               QString scriptFolder = {})
      : bridge(connection, mirror),
        // The bridge serves before the script starts, so its first report is heard.
        loader(connection, std::move(scriptFolder)),
        control(bridge),
        apps(mirror, desktopEntries),
        accessibility(mirror, apps, control, PlatformTexts::linux().windowScriptSilentReason),
        screens(mirror, control, std::move(identity)),
        runningApps(mirror, apps, ownPid),
        windowList(mirror, apps),
        // Dovrik's script reports every interactive move with the pointer.
        eventTap(mirror, true),
        hotkeys(connection) {}
  KWinAdapters(const KWinAdapters&) = delete;
  KWinAdapters& operator=(const KWinAdapters&) = delete;

  mirror::WindowMirror mirror;
  files::DesktopEntries desktopEntries;
  KWinBridge bridge;
  KWinScriptLoader loader;
  KWinWindowControl control;
  mirror::MirrorApps apps;
  mirror::MirrorAccessibility accessibility;
  mirror::MirrorScreens screens;
  mirror::MirrorRunningApps runningApps;
  mirror::MirrorWindowList windowList;
  mirror::MirrorEventTap eventTap;
  KWinHotkeys hotkeys;
};

}  // namespace dovrik::kwin
