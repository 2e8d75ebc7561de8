// The RunningApps port on X11: applications derived from the window manager's client windows.
#pragma once

#include <optional>
#include <vector>

#include "core/platform/RunningApps.h"
#include "linux/x11/ActiveWindow.h"
#include "linux/x11/AppDirectory.h"

namespace dovrik::x11 {

class X11RunningApps : public RunningApps {
 public:
  X11RunningApps(AppDirectory& apps, ActiveWindow& activeWindow, ProcessId ownPid)
      : apps_(apps), activeWindow_(activeWindow), ownPid_(ownPid) {}

  // The owner of the active window.
  std::optional<RunningApp> frontmostApplication() override;
  // In the order each application's first window appears in the client list.
  std::vector<RunningApp> runningApplications() override;
  ProcessId currentProcessId() override { return ownPid_; }

 private:
  AppDirectory& apps_;
  ActiveWindow& activeWindow_;
  ProcessId ownPid_;
};

}  // namespace dovrik::x11
