// Loading the installed applications and gathering those a row can be added for.
#include "core/settings/AppListModel.h"

#include <algorithm>
#include <set>

namespace dovrik {

AppListModel::AppListModel(AppState& appState, RunningApps& runningApps,
                           InstalledAppsCache& installedApps, const Locale& locale)
    : appState_(appState),
      runningApps_(runningApps),
      installedApps_(installedApps),
      locale_(locale) {
  // The panel may be closed before a scan ends.
  installedApps_.load(lifetime_.guard([this] { changed.emit(); }));
}

std::vector<AppCandidate> AppListModel::candidatesExcept(
    const std::function<bool(const std::string&)>& listed) const {
  std::set<std::string> offered;
  std::vector<AppCandidate> candidates;
  const auto offer = [&](const std::string& appId, const std::string& name) {
    if (!appId.empty() && !listed(appId) && offered.insert(appId).second)
      candidates.push_back({appId, name.empty() ? appId : name});
  };
  for (const RunningApp& app : runningApps_.runningApplications()) {
    if (app.activationPolicy == ActivationPolicy::Regular &&
        app.pid != runningApps_.currentProcessId())
      offer(app.bundleIdentifier, app.localizedName);
  }
  for (const AppInfo& info : installedApps_.apps())
    offer(info.bundleIdentifier, info.name);
  std::stable_sort(candidates.begin(), candidates.end(),
                   [this](const AppCandidate& a, const AppCandidate& b) {
                     return locale_.less(a.name, b.name);
                   });
  return candidates;
}

}  // namespace dovrik
