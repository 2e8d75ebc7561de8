// Scanning once and handing the list out.
#include "core/rules/InstalledAppsCache.h"

#include <algorithm>
#include <memory>

namespace dovrik {

InstalledAppsCache::InstalledAppsCache(InstalledApps& scanner, Background& background,
                                       const Locale& locale)
    : scanner_(scanner), background_(background), locale_(locale) {}

void InstalledAppsCache::load(std::function<void()> done) {
  if (!apps_.empty()) {
    done();
    return;
  }
  auto result = std::make_shared<std::vector<AppInfo>>();
  background_.run([result, &scanner = scanner_] { *result = scanner.scanInstalledApps(); },
                  lifetime_.guard([this, result, done = std::move(done)] {
                    // A later scan replaces an earlier one that finished first.
                    keep(std::move(*result));
                    done();
                  }));
}

const std::vector<AppInfo>& InstalledAppsCache::loadNow() {
  if (apps_.empty())
    keep(scanner_.scanInstalledApps());
  return apps_;
}

void InstalledAppsCache::keep(std::vector<AppInfo> scanned) {
  for (AppInfo& app : scanned)
    app.id = Uuid::random();
  std::stable_sort(scanned.begin(), scanned.end(), [this](const AppInfo& a, const AppInfo& b) {
    return locale_.less(a.name, b.name);
  });
  apps_ = std::move(scanned);
}

}  // namespace dovrik
