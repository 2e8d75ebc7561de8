// Turning desktop entries into the installed-applications list.
#include "linux/desktop/DesktopApplications.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "linux/files/DesktopEntries.h"

namespace dovrik::desktop {

namespace {

bool executable(const std::string& path) {
  return ::access(path.c_str(), X_OK) == 0;
}

// An absolute TryExec names the file; a bare name is looked up in $PATH.
bool installed(const std::string& tryExec) {
  if (tryExec.empty())
    return true;
  if (tryExec.find('/') != std::string::npos)
    return executable(tryExec);
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    if (!dir.empty() && executable(dir + "/" + tryExec))
      return true;
  }
  return false;
}

}  // namespace

DesktopApplications::DesktopApplications(std::vector<std::string> dataDirs)
    : dataDirs_(dataDirs.empty() ? files::DesktopEntries::environmentDataDirs()
                                 : std::move(dataDirs)) {}

std::vector<AppInfo> DesktopApplications::scanInstalledApps() {
  std::vector<AppInfo> apps;
  for (files::DesktopEntry& entry :
       files::DesktopEntries::scan(dataDirs_, files::DesktopEntries::currentLocale())) {
    if (entry.noDisplay || entry.name.empty() || !installed(entry.tryExec))
      continue;
    apps.push_back(AppInfo{Uuid(), std::move(entry.name), std::move(entry.id),
                           entry.icon.empty() ? std::nullopt : std::optional(entry.icon)});
  }
  return apps;
}

}  // namespace dovrik::desktop
