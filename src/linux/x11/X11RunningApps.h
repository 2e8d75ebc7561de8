// The RunningApps port on X11: applications derived from the window manager's client windows.
// X11 has no notice of a launch, so one is inferred from the client list.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/platform/RunningApps.h"
#include "linux/x11/ActiveWindow.h"
#include "linux/x11/AppDirectory.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class X11RunningApps : public RunningApps {
 public:
  // The applications with windows now are running already, not launched.
  X11RunningApps(XConnection& connection, AppDirectory& apps, ActiveWindow& activeWindow,
                 ProcessId ownPid);
  X11RunningApps(const X11RunningApps&) = delete;
  X11RunningApps& operator=(const X11RunningApps&) = delete;
  ~X11RunningApps() override;

  // The owner of the active window.
  std::optional<RunningApp> frontmostApplication() override;
  // In the order each application's first window appears in the client list.
  std::vector<RunningApp> runningApplications() override;
  ProcessId currentProcessId() override { return ownPid_; }

 private:
  // Compares the client list with the last one: the first window of a process not seen before
  // is a launch, even while other processes of the same application have windows (a second
  // terminal started by the user). A running process that opens a window again (a terminal
  // server, a single-instance browser) is not.
  void clientListChanged();
  // Records the process; true when it was not seen before.
  bool isNewProcess(ProcessId pid);

  XConnection& x_;
  AppDirectory& apps_;
  ActiveWindow& activeWindow_;
  ProcessId ownPid_;
  std::set<std::string> identitiesWithWindows_;
  // Process ids seen, with the process's start time where the system tells it, so that a
  // reused id is a new process.
  std::map<ProcessId, std::optional<std::uint64_t>> seenProcesses_;
  Signal<const xcb_generic_event_t&>::Connection subscription_;
};

}  // namespace dovrik::x11
