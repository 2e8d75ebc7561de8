// What a settings list of applications stands on: the settings, the running and the installed
// applications, and the order names are read in. Loading the installed applications starts
// with the list, and `changed` announces when they are in.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/model/AppState.h"
#include "core/platform/Locale.h"
#include "core/platform/RunningApps.h"
#include "core/rules/InstalledAppsCache.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

struct AppCandidate {
  std::string appId;
  std::string name;
  friend bool operator==(const AppCandidate&, const AppCandidate&) = default;
};

class AppListModel {
 public:
  AppListModel(AppState& appState, RunningApps& runningApps, InstalledAppsCache& installedApps,
               const Locale& locale);
  AppListModel(const AppListModel&) = delete;
  AppListModel& operator=(const AppListModel&) = delete;

  Signal<> changed;

 protected:
  // The ordinary running applications but Dovrik, and the installed ones, each once, by name;
  // without those `listed` says have a row already.
  std::vector<AppCandidate> candidatesExcept(
      const std::function<bool(const std::string&)>& listed) const;

  AppState& appState_;
  RunningApps& runningApps_;
  InstalledAppsCache& installedApps_;
  const Locale& locale_;

 private:
  Lifetime lifetime_;
};

}  // namespace dovrik
