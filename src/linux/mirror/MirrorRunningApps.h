// The RunningApps port over a mirrored compositor: applications derived from the windows it
// reports. A launch is the first window of a process not seen before (or, for windows without a
// process, of an identity without windows); what has windows when the compositor first reports
// everything runs already.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/platform/RunningApps.h"
#include "linux/mirror/MirrorApps.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::mirror {

class MirrorRunningApps : public RunningApps {
 public:
  MirrorRunningApps(WindowMirror& mirror, MirrorApps& apps, ProcessId ownPid);
  MirrorRunningApps(const MirrorRunningApps&) = delete;
  MirrorRunningApps& operator=(const MirrorRunningApps&) = delete;
  ~MirrorRunningApps() override;

  // The owner of the active window.
  std::optional<RunningApp> frontmostApplication() override;
  std::vector<RunningApp> runningApplications() override;
  ProcessId currentProcessId() override { return ownPid_; }

 private:
  void takeBaseline();
  void windowAdded(const MirroredWindow& window);

  WindowMirror& mirror_;
  MirrorApps& apps_;
  ProcessId ownPid_;
  std::set<ProcessId> seenProcesses_;
  Signal<>::Connection answeredSubscription_ = 0;
  Signal<const MirroredWindow&>::Connection addedSubscription_ = 0;
};

}  // namespace dovrik::mirror
