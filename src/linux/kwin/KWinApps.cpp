// Grouping the mirror's windows into applications.
#include "linux/kwin/KWinApps.h"

namespace dovrik::kwin {

std::string KWinApps::identityOf(const KWinWindow& window) {
  return window.desktopFileName.empty() ? window.resourceClass : window.desktopFileName;
}

ProcessId KWinApps::pidOf(const KWinWindow& window) {
  if (window.pid > 0)
    return window.pid;
  // Stable for as long as Dovrik runs, so an application keeps its number between listings.
  const auto [it, inserted] = syntheticPids_.try_emplace(
      identityOf(window), firstSyntheticPid + static_cast<ProcessId>(syntheticPids_.size()));
  return it->second;
}

RunningApp KWinApps::appOf(const KWinWindow& window) {
  RunningApp app;
  app.pid = pidOf(window);
  app.bundleIdentifier = identityOf(window);
  app.localizedName = window.resourceClass.empty() ? app.bundleIdentifier : window.resourceClass;
  app.activationPolicy =
      window.isOrdinary() ? ActivationPolicy::Regular : ActivationPolicy::Accessory;
  app.windowClass = window.resourceClass;
  return app;
}

std::vector<KWinApp> KWinApps::apps() {
  std::vector<KWinApp> result;
  std::map<ProcessId, std::size_t> indexOf;
  for (const WindowHandle handle : mirror_.windows()) {
    const KWinWindow* window = mirror_.window(handle);
    if (!window || window->desktop)
      continue;
    RunningApp app = appOf(*window);
    const auto [it, inserted] = indexOf.try_emplace(app.pid, result.size());
    if (inserted)
      result.push_back({std::move(app), {}});
    KWinApp& owner = result[it->second];
    if (window->isOrdinary()) {
      owner.windows.push_back(handle);
      owner.app.activationPolicy = ActivationPolicy::Regular;
    }
  }
  return result;
}

std::optional<KWinApp> KWinApps::app(ProcessId pid) {
  for (KWinApp& candidate : apps()) {
    if (candidate.app.pid == pid)
      return std::move(candidate);
  }
  return std::nullopt;
}

std::optional<ProcessId> KWinApps::owner(WindowHandle handle) {
  if (const KWinWindow* window = mirror_.window(handle))
    return pidOf(*window);
  return std::nullopt;
}

}  // namespace dovrik::kwin
