// Listing applications and finding the frontmost one.
#include "linux/x11/X11RunningApps.h"

namespace dovrik::x11 {

std::optional<RunningApp> X11RunningApps::frontmostApplication() {
  const auto active = activeWindow_.current();
  if (!active)
    return std::nullopt;
  const auto pid = apps_.owner(*active);
  if (!pid)
    return std::nullopt;
  if (auto app = apps_.app(*pid))
    return app->app;
  return std::nullopt;
}

std::vector<RunningApp> X11RunningApps::runningApplications() {
  std::vector<RunningApp> result;
  for (auto& entry : apps_.apps())
    result.push_back(std::move(entry.app));
  return result;
}

}  // namespace dovrik::x11
