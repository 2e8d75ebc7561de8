// The name to show for an application identity, from what is installed and what runs.
#pragma once

#include <string>
#include <vector>

#include "core/platform/InstalledApps.h"
#include "core/platform/RunningApps.h"

namespace dovrik {

// The installed application's name, else the running one's, else the identity itself.
std::string applicationName(const std::vector<AppInfo>& installed,
                            const std::vector<RunningApp>& running, const std::string& bundleID);

}  // namespace dovrik
