// The installed applications, scanned once per run: the scan is slow, and an application
// installed meanwhile may wait for the next run.
#pragma once

#include <functional>
#include <vector>

#include "core/platform/Background.h"
#include "core/platform/InstalledApps.h"
#include "core/platform/Locale.h"
#include "core/support/Lifetime.h"

namespace dovrik {

class InstalledAppsCache {
 public:
  // Lists the applications by name as `locale` orders names.
  InstalledAppsCache(InstalledApps& scanner, Background& background, const Locale& locale);

  const std::vector<AppInfo>& apps() const { return apps_; }
  // Calls `done` at once while the cache holds a list; otherwise scans off the main thread and
  // calls it once `apps` holds the result. An empty result is no answer: the next load scans
  // again.
  void load(std::function<void()> done);
  // The same for a caller that waits for its answer anyway (the command line): scans on the
  // calling thread while the cache is empty.
  const std::vector<AppInfo>& loadNow();

 private:
  // Gives each entry its id and the list its order here, on the main thread.
  void keep(std::vector<AppInfo> scanned);

  InstalledApps& scanner_;
  Background& background_;
  const Locale& locale_;
  std::vector<AppInfo> apps_;
  Lifetime lifetime_;
};

}  // namespace dovrik
