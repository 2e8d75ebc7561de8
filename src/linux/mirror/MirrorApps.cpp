// Grouping the mirror's windows into applications.
#include "linux/mirror/MirrorApps.h"

#include "linux/files/ProcessExecutable.h"

namespace dovrik::mirror {

const MirrorApps::Identity& MirrorApps::identityOf(const MirroredWindow& window) {
  const auto known = identities_.find(window.id);
  if (known != identities_.end())
    return known->second;
  // A Wayland window names its desktop entry; an X11 window is matched by class and program.
  files::WindowOrigin origin{
      window.resourceName,
      window.desktopFileName.empty() ? window.resourceClass : window.desktopFileName,
      {}};
  if (window.pid > 0)
    origin.executable = files::processExecutable(window.pid);
  Identity identity;
  if (const auto entry = entries_.match(origin)) {
    identity = {entry->id, entry->name.empty() ? window.resourceClass : entry->name,
                entry->categories, origin.executable.empty() ? entry->program : origin.executable};
  } else {
    const std::string& id = origin.className;
    identity = {
        id, window.resourceClass.empty() ? id : window.resourceClass, {}, origin.executable};
  }
  // Only windows still there keep their entry.
  if (identities_.size() > 2 * mirror_.windows().size() + 16) {
    std::map<std::string, Identity> current;
    for (const WindowHandle handle : mirror_.windows()) {
      const MirroredWindow* w = mirror_.window(handle);
      if (const auto it = identities_.find(w->id); it != identities_.end())
        current.insert(*it);
    }
    identities_ = std::move(current);
  }
  return identities_.emplace(window.id, std::move(identity)).first->second;
}

ProcessId MirrorApps::pidOf(const MirroredWindow& window) {
  if (window.pid > 0)
    return window.pid;
  // Stable for as long as Dovrik runs, so an application keeps its number between listings.
  const auto [it, inserted] = syntheticPids_.try_emplace(
      identityOf(window).id, firstSyntheticPid + static_cast<ProcessId>(syntheticPids_.size()));
  return it->second;
}

RunningApp MirrorApps::appOf(const MirroredWindow& window) {
  // A copy: numbering the window below may tidy the cache.
  const Identity identity = identityOf(window);
  RunningApp app;
  app.pid = pidOf(window);
  app.bundleIdentifier = identity.id;
  app.localizedName = identity.name;
  app.activationPolicy =
      window.isOrdinary() ? ActivationPolicy::Regular : ActivationPolicy::Accessory;
  app.categories = identity.categories;
  app.executable = identity.executable;
  app.windowClass = window.resourceClass;
  return app;
}

std::vector<MirrorApp> MirrorApps::apps() {
  std::vector<MirrorApp> result;
  std::map<ProcessId, std::size_t> indexOf;
  for (const WindowHandle handle : mirror_.windows()) {
    const MirroredWindow* window = mirror_.window(handle);
    if (!window || window->desktop)
      continue;
    RunningApp app = appOf(*window);
    const auto [it, inserted] = indexOf.try_emplace(app.pid, result.size());
    if (inserted)
      result.push_back({std::move(app), {}});
    MirrorApp& owner = result[it->second];
    if (window->isOrdinary()) {
      owner.windows.push_back(handle);
      owner.app.activationPolicy = ActivationPolicy::Regular;
    }
  }
  return result;
}

std::optional<MirrorApp> MirrorApps::app(ProcessId pid) {
  for (MirrorApp& candidate : apps()) {
    if (candidate.app.pid == pid)
      return std::move(candidate);
  }
  return std::nullopt;
}

std::optional<ProcessId> MirrorApps::owner(WindowHandle handle) {
  if (const MirroredWindow* window = mirror_.window(handle))
    return pidOf(*window);
  return std::nullopt;
}

}  // namespace dovrik::mirror
