// Grouping client windows into applications.
#include "linux/x11/AppDirectory.h"

#include "linux/files/ProcessExecutable.h"

namespace dovrik::x11 {

AppDirectory::AppDirectory(ClientWindows& clients, files::DesktopEntries& entries)
    : clients_(clients), entries_(entries) {}

AppDirectory::Identity AppDirectory::identityOf(xcb_window_t window,
                                                const std::optional<WmClass>& wmClass,
                                                std::optional<ProcessId> pid) {
  if (!wmClass)
    return {};
  files::WindowOrigin origin{wmClass->instance, wmClass->className, {}};
  // A remote client's process number names some other process here.
  if (pid && clients_.runsOnThisMachine(window))
    origin.executable = files::processExecutable(*pid);
  if (const auto entry = entries_.match(origin)) {
    return {entry->id, entry->name.empty() ? wmClass->className : entry->name, entry->categories,
            origin.executable.empty() ? entry->program : origin.executable, wmClass->className};
  }
  const std::string& name = wmClass->className.empty() ? wmClass->instance : wmClass->className;
  return {name, name, {}, origin.executable, wmClass->className};
}

ProcessId AppDirectory::syntheticPidOf(const Identity& identity) {
  // Stable for as long as Dovrik runs, so an application keeps its number between listings.
  const auto [it, inserted] = syntheticPids_.try_emplace(
      identity.id, firstSyntheticPid + static_cast<ProcessId>(syntheticPids_.size()));
  return it->second;
}

std::vector<ClientApp> AppDirectory::apps() {
  std::vector<ClientApp> result;
  std::map<ProcessId, std::size_t> indexOf;
  for (const xcb_window_t window : clients_.clientList()) {
    const auto wmClass = clients_.wmClass(window);
    if (!wmClass && !clients_.clientRect(window))
      continue;  // gone since the list was read
    const std::optional<ProcessId> realPid = clients_.pid(window);
    // A process's later windows are its own: no identity to work out again.
    const auto known = realPid ? indexOf.find(*realPid) : indexOf.end();
    std::optional<Identity> identity;
    if (known == indexOf.end())
      identity = identityOf(window, wmClass, realPid);
    const ProcessId pid = realPid ? *realPid : syntheticPidOf(*identity);
    auto [it, inserted] = indexOf.try_emplace(pid, result.size());
    if (inserted) {
      RunningApp app;
      app.pid = pid;
      app.bundleIdentifier = identity->id;
      app.localizedName = identity->name;
      app.activationPolicy = ActivationPolicy::Accessory;
      app.categories = identity->categories;
      app.executable = identity->executable;
      app.windowClass = identity->windowClass;
      result.push_back({app, {}});
    }
    ClientApp& owner = result[it->second];
    if (clients_.isOrdinary(window)) {
      owner.windows.push_back(window);
      owner.app.activationPolicy = ActivationPolicy::Regular;
    }
  }
  return result;
}

std::optional<ClientApp> AppDirectory::app(ProcessId pid) {
  for (auto& candidate : apps()) {
    if (candidate.app.pid == pid)
      return candidate;
  }
  return std::nullopt;
}

std::optional<ProcessId> AppDirectory::owner(xcb_window_t window) {
  const auto wmClass = clients_.wmClass(window);
  if (!wmClass && !clients_.clientRect(window))
    return std::nullopt;
  if (const auto pid = clients_.pid(window))
    return *pid;
  return syntheticPidOf(identityOf(window, wmClass, std::nullopt));
}

}  // namespace dovrik::x11
