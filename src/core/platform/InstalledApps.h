// The applications installed for the user, as the add-rule sheet offers them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/platform/Uuid.h"

namespace dovrik {

struct AppInfo {
  Uuid id;  // made afresh for every scan result, on the main thread
  std::string name;
  std::string bundleIdentifier;
  std::optional<std::string> icon;  // the platform's icon name
  // A picker selection matches an entry of a later scan by the application alone.
  friend bool operator==(const AppInfo& a, const AppInfo& b) {
    return a.bundleIdentifier == b.bundleIdentifier;
  }
};

class InstalledApps {
 public:
  virtual ~InstalledApps() = default;
  // Reads the installed applications, one entry per identifier, in no particular order; ids and
  // the order the user reads them in are left to the caller. Slow: runs on a worker thread, so it
  // touches nothing shared (the id generator included).
  virtual std::vector<AppInfo> scanInstalledApps() = 0;
};

}  // namespace dovrik
