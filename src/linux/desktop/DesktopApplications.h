// The InstalledApps port on a freedesktop system: the application entries a menu would offer.
#pragma once

#include <string>
#include <vector>

#include "core/platform/InstalledApps.h"

namespace dovrik::desktop {

class DesktopApplications : public InstalledApps {
 public:
  // Searches the `applications` folder of each data directory, earlier ones first; an empty
  // list means the XDG data directories of the environment, read now.
  explicit DesktopApplications(std::vector<std::string> dataDirs = {});

  // Shown applications only: no NoDisplay entries, none whose TryExec program is missing, none
  // without a name.
  std::vector<AppInfo> scanInstalledApps() override;

 private:
  const std::vector<std::string> dataDirs_;
};

}  // namespace dovrik::desktop
