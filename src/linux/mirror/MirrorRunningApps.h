// The RunningApps port over KWin: applications derived from the windows the script reports. A
// launch is the first window of a process not seen before (or, for windows without a process,
// of an identity without windows); what has windows when the script first reports runs already.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/platform/RunningApps.h"
#include "linux/kwin/KWinApps.h"
#include "linux/kwin/KWinMirror.h"

namespace dovrik::kwin {

class KWinRunningApps : public RunningApps {
 public:
  KWinRunningApps(KWinMirror& mirror, KWinApps& apps, ProcessId ownPid);
  KWinRunningApps(const KWinRunningApps&) = delete;
  KWinRunningApps& operator=(const KWinRunningApps&) = delete;
  ~KWinRunningApps() override;

  // The owner of the active window.
  std::optional<RunningApp> frontmostApplication() override;
  std::vector<RunningApp> runningApplications() override;
  ProcessId currentProcessId() override { return ownPid_; }

 private:
  void takeBaseline();
  void windowAdded(const KWinWindow& window);

  KWinMirror& mirror_;
  KWinApps& apps_;
  ProcessId ownPid_;
  std::set<ProcessId> seenProcesses_;
  Signal<>::Connection answeredSubscription_ = 0;
  Signal<const KWinWindow&>::Connection addedSubscription_ = 0;
};

}  // namespace dovrik::kwin
