// Applications as the window logic sees them, derived from the windows KWin reports: a window
// belongs to its process, an application is known by its desktop entry (KWin's desktopFileName,
// else the entry matching its class or program) or else its resource class. A window without a
// process is numbered by its identity.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/RunningApps.h"
#include "linux/files/DesktopEntries.h"
#include "linux/kwin/KWinMirror.h"

namespace dovrik::kwin {

struct KWinApp {
  RunningApp app;
  // Its ordinary windows, in the order they appeared.
  std::vector<WindowHandle> windows;
};

class KWinApps {
 public:
  KWinApps(const KWinMirror& mirror, files::DesktopEntries& entries)
      : mirror_(mirror), entries_(entries) {}

  // In the order each application's first window appeared.
  std::vector<KWinApp> apps();
  std::optional<KWinApp> app(ProcessId pid);
  std::optional<ProcessId> owner(WindowHandle handle);
  // The application of a window as reported, whether or not it is still in the mirror.
  RunningApp appOf(const KWinWindow& window);

  // Numbers for windows without a process lie above every real process id.
  static constexpr ProcessId firstSyntheticPid = ProcessId{1} << 32;

 private:
  struct Identity {
    std::string id;
    std::string name;
    std::vector<std::string> categories;
    std::string executable;
  };
  // Worked out once per window: it reads the process and the desktop entries.
  const Identity& identityOf(const KWinWindow& window);
  ProcessId pidOf(const KWinWindow& window);

  const KWinMirror& mirror_;
  files::DesktopEntries& entries_;
  std::map<std::string, Identity> identities_;
  std::map<std::string, ProcessId> syntheticPids_;
};

}  // namespace dovrik::kwin
