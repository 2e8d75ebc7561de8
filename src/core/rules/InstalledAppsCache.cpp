// Scanning once and handing the list out.
#include "core/rules/InstalledAppsCache.h"

#include <memory>

namespace dovrik {

InstalledAppsCache::InstalledAppsCache(InstalledApps& scanner, Background& background)
    : scanner_(scanner), background_(background) {}

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
  apps_ = std::move(scanned);
}

}  // namespace dovrik
