// Naming an application identity.
#include "core/model/ApplicationName.h"

namespace dovrik {

std::string applicationName(const std::vector<AppInfo>& installed,
                            const std::vector<RunningApp>& running, const std::string& bundleID) {
  for (const AppInfo& info : installed) {
    if (info.bundleIdentifier == bundleID)
      return info.name;
  }
  for (const RunningApp& app : running) {
    if (app.bundleIdentifier == bundleID && !app.localizedName.empty())
      return app.localizedName;
  }
  return bundleID;
}

}  // namespace dovrik
