// Applications as the window logic sees them, derived from the mirrored windows: a window
// belongs to its process, an application is known by its desktop entry (the one the window
// names, else the entry matching its class or program) or else its resource class. A window without
// a process is numbered by its identity.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/RunningApps.h"
#include "linux/files/DesktopEntries.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::mirror {

struct MirrorApp {
  RunningApp app;
  // Its ordinary windows, in the order they appeared.
  std::vector<WindowHandle> windows;
};

class MirrorApps {
 public:
  MirrorApps(const WindowMirror& mirror, files::DesktopEntries& entries)
      : mirror_(mirror), entries_(entries) {}

  // In the order each application's first window appeared.
  std::vector<MirrorApp> apps();
  std::optional<MirrorApp> app(ProcessId pid);
  std::optional<ProcessId> owner(WindowHandle handle);
  // The application of a window as reported, whether or not it is still in the mirror.
  RunningApp appOf(const MirroredWindow& window);

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
  const Identity& identityOf(const MirroredWindow& window);
  ProcessId pidOf(const MirroredWindow& window);

  const WindowMirror& mirror_;
  files::DesktopEntries& entries_;
  std::map<std::string, Identity> identities_;
  std::map<std::string, ProcessId> syntheticPids_;
};

}  // namespace dovrik::mirror
