// Applications as the window logic sees them, derived from the windows KWin reports: a window
// belongs to its process, an application is known by its desktop entry's name (KWin's
// desktopFileName) or else its resource class. A window without a process is numbered by its
// identity.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/RunningApps.h"
#include "linux/kwin/KWinMirror.h"

namespace dovrik::kwin {

struct KWinApp {
  RunningApp app;
  // Its ordinary windows, in the order they appeared.
  std::vector<WindowHandle> windows;
};

class KWinApps {
 public:
  explicit KWinApps(const KWinMirror& mirror) : mirror_(mirror) {}

  // In the order each application's first window appeared.
  std::vector<KWinApp> apps();
  std::optional<KWinApp> app(ProcessId pid);
  std::optional<ProcessId> owner(WindowHandle handle);
  // The application of a window as reported, whether or not it is still in the mirror.
  RunningApp appOf(const KWinWindow& window);

  static std::string identityOf(const KWinWindow& window);
  // Numbers for windows without a process lie above every real process id.
  static constexpr ProcessId firstSyntheticPid = ProcessId{1} << 32;

 private:
  ProcessId pidOf(const KWinWindow& window);

  const KWinMirror& mirror_;
  std::map<std::string, ProcessId> syntheticPids_;
};

}  // namespace dovrik::kwin
