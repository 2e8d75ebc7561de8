// The rows of the ignored applications and the picker that adds one.
#include "core/settings/IgnoredAppsSettingsModel.h"

#include <algorithm>

#include "core/clipboard/IgnoredApps.h"

namespace dovrik {

// An entry may name the desktop file or the window class, in any case: the installed
// application it names gives the row its name and icon, else a running one its name, else the
// default list its product name.
std::vector<IgnoredAppsSettingsModel::Row> IgnoredAppsSettingsModel::rows() const {
  const std::vector<RunningApp> running = runningApps_.runningApplications();
  std::vector<Row> rows;
  for (const std::string& entry : ignoredApps(appState_)) {
    Row row{entry, entry, std::nullopt};
    const auto installed = std::ranges::find_if(installedApps_.apps(), [&](const AppInfo& app) {
      return sameAppName(entry, app.bundleIdentifier);
    });
    const auto runningApp = std::ranges::find_if(running, [&](const RunningApp& app) {
      return sameAppName(entry, app.bundleIdentifier) || sameAppName(entry, app.windowClass);
    });
    if (installed != installedApps_.apps().end()) {
      row.name = installed->name;
      row.icon = installed->icon;
    } else if (runningApp != running.end() && !runningApp->localizedName.empty()) {
      row.name = runningApp->localizedName;
    } else if (const auto known = defaultIgnoredAppName(entry)) {
      row.name = *known;
    }
    rows.push_back(std::move(row));
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [this](const Row& a, const Row& b) { return locale_.less(a.name, b.name); });
  return rows;
}

void IgnoredAppsSettingsModel::remove(const std::string& appId) {
  removeIgnoredApp(appState_, appId);
  changed.emit();
}

std::vector<AppCandidate> IgnoredAppsSettingsModel::candidates() const {
  const std::vector<std::string> ignored = ignoredApps(appState_);
  return candidatesExcept([&ignored](const std::string& appId) {
    return std::ranges::any_of(ignored,
                               [&](const std::string& entry) { return sameAppName(entry, appId); });
  });
}

void IgnoredAppsSettingsModel::add(const std::string& appId) {
  addIgnoredApp(appState_, appId);
  changed.emit();
}

}  // namespace dovrik
