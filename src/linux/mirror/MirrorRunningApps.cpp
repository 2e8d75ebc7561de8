// Listing applications, finding the frontmost one and telling launches.
#include "linux/mirror/MirrorRunningApps.h"

namespace dovrik::mirror {

MirrorRunningApps::MirrorRunningApps(WindowMirror& mirror, MirrorApps& apps, ProcessId ownPid)
    : mirror_(mirror), apps_(apps), ownPid_(ownPid) {
  answeredSubscription_ = mirror_.answeredChanged.connect([this] { takeBaseline(); });
  addedSubscription_ =
      mirror_.windowAdded.connect([this](const MirroredWindow& window) { windowAdded(window); });
  takeBaseline();
}

MirrorRunningApps::~MirrorRunningApps() {
  mirror_.answeredChanged.disconnect(answeredSubscription_);
  mirror_.windowAdded.disconnect(addedSubscription_);
}

void MirrorRunningApps::takeBaseline() {
  for (const MirrorApp& app : apps_.apps())
    seenProcesses_.insert(app.app.pid);
}

void MirrorRunningApps::windowAdded(const MirroredWindow& window) {
  if (!window.isOrdinary())
    return;
  const RunningApp app = apps_.appOf(window);
  bool launch = false;
  if (app.pid >= MirrorApps::firstSyntheticPid) {
    // The number stands for the identity: it launches when no other window has it.
    launch = true;
    for (const MirrorApp& running : apps_.apps()) {
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

std::optional<RunningApp> MirrorRunningApps::frontmostApplication() {
  const auto active = mirror_.active();
  if (!active)
    return std::nullopt;
  if (const MirroredWindow* window = mirror_.window(*active))
    return apps_.appOf(*window);
  return std::nullopt;
}

std::vector<RunningApp> MirrorRunningApps::runningApplications() {
  std::vector<RunningApp> result;
  for (MirrorApp& app : apps_.apps())
    result.push_back(std::move(app.app));
  return result;
}

}  // namespace dovrik::mirror
