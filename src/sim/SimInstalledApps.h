// Installed applications set by the test, with a count of the scans asked for.
#pragma once

#include <utility>
#include <vector>

#include "core/platform/InstalledApps.h"

namespace dovrik::sim {

class SimInstalledApps : public InstalledApps {
 public:
  void setApps(std::vector<AppInfo> apps) { apps_ = std::move(apps); }
  std::vector<AppInfo> scanInstalledApps() override {
    ++scans;
    return apps_;
  }

  int scans = 0;

 private:
  std::vector<AppInfo> apps_;
};

}  // namespace dovrik::sim
