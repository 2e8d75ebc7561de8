// Listing applications, finding the frontmost one and telling launches.
#include "linux/kwin/KWinRunningApps.h"

namespace dovrik::kwin {

KWinRunningApps::KWinRunningApps(KWinMirror& mirror, KWinApps& apps, ProcessId ownPid)
    : mirror_(mirror), apps_(apps), ownPid_(ownPid) {
  answeredSubscription_ = mirror_.answeredChanged.connect([this] { takeBaseline(); });
  addedSubscription_ =
      mirror_.windowAdded.connect([this](const KWinWindow& window) { windowAdded(window); });
  takeBaseline();
}

KWinRunningApps::~KWinRunningApps() {
  mirror_.answeredChanged.disconnect(answeredSubscription_);
  mirror_.windowAdded.disconnect(addedSubscription_);
}

void KWinRunningApps::takeBaseline() {
  for (const KWinApp& app : apps_.apps())
    seenProcesses_.insert(app.app.pid);
}

void KWinRunningApps::windowAdded(const KWinWindow& window) {
  if (!window.isOrdinary())
    return;
  const RunningApp app = apps_.appOf(window);
  bool launch = false;
  if (app.pid >= KWinApps::firstSyntheticPid) {
    // The number stands for the identity: it launches when no other window has it.
    launch = true;
    for (const KWinApp& running : apps_.apps()) {
      if (running.app.pid == app.pid) {
        for (const WindowHandle handle : running.windows) {
          if (mirror_.window(handle)->id != window.id)
            launch = false;
        }
      }
    }
  } else {
    launch = seenProcesses_.insert(app.pid).second;
  }
  if (launch && app.pid != ownPid_ && !app.bundleIdentifier.empty())
    didLaunch.emit(app);
}

std::optional<RunningApp> KWinRunningApps::frontmostApplication() {
  const auto active = mirror_.active();
  if (!active)
    return std::nullopt;
  if (const KWinWindow* window = mirror_.window(*active))
    return apps_.appOf(*window);
  return std::nullopt;
}

std::vector<RunningApp> KWinRunningApps::runningApplications() {
  std::vector<RunningApp> result;
  for (KWinApp& app : apps_.apps())
    result.push_back(std::move(app.app));
  return result;
}

}  // namespace dovrik::kwin
