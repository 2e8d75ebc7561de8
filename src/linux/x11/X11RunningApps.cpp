// Listing applications, finding the frontmost one and telling launches.
#include "linux/x11/X11RunningApps.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace dovrik::x11 {

namespace {

// When the process started, in clock ticks since boot (/proc/PID/stat, field 22); nothing for
// a process of another machine or one that has ended.
std::optional<std::uint64_t> processStart(ProcessId pid) {
  if (pid <= 0 || pid >= AppDirectory::firstSyntheticPid)
    return std::nullopt;
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  std::getline(in, stat);
  // The command name in parentheses may hold spaces and parentheses; fields follow the last ')'.
  const auto nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos)
    return std::nullopt;
  std::istringstream fields(stat.substr(nameEnd + 1));
  std::string field;
  for (int index = 3; index <= 22 && fields >> field; ++index) {
    std::uint64_t ticks = 0;
    if (index == 22 &&
        std::from_chars(field.data(), field.data() + field.size(), ticks).ec == std::errc())
      return ticks;
  }
  return std::nullopt;
}

}  // namespace

X11RunningApps::X11RunningApps(XConnection& connection, AppDirectory& apps,
                               ActiveWindow& activeWindow, ProcessId ownPid)
    : x_(connection), apps_(apps), activeWindow_(activeWindow), ownPid_(ownPid) {
  subscription_ = x_.events.connect([this](const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
      return;
    const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    if (notify.window == x_.root() && notify.atom == x_.atoms()._NET_CLIENT_LIST)
      clientListChanged();
  });
  // The first reading is the baseline; it announces nothing, since no one listens yet.
  clientListChanged();
}

X11RunningApps::~X11RunningApps() {
  x_.events.disconnect(subscription_);
}

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

bool X11RunningApps::isNewProcess(ProcessId pid) {
  const std::optional<std::uint64_t> started = processStart(pid);
  const auto [seen, isNew] = seenProcesses_.try_emplace(pid, started);
  // A reused process id is another program.
  const bool newProcess = isNew || seen->second != started;
  seen->second = started;
  return newProcess;
}

void X11RunningApps::clientListChanged() {
  std::set<std::string> identities;
  std::vector<RunningApp> launched;
  for (ClientApp& client : apps_.apps()) {
    const RunningApp& app = client.app;
    identities.insert(app.bundleIdentifier);
    // Without `_NET_WM_PID` the number stands for the identity, not a process: only the
    // windows tell whether it runs, so it launches when its identity had no window.
    const bool launch = app.pid >= AppDirectory::firstSyntheticPid
                            ? !identitiesWithWindows_.contains(app.bundleIdentifier)
                            : isNewProcess(app.pid);
    if (launch && app.pid != ownPid_ && !app.bundleIdentifier.empty())
      launched.push_back(app);
  }
  identitiesWithWindows_ = std::move(identities);
  for (const RunningApp& app : launched)
    didLaunch.emit(app);
}

}  // namespace dovrik::x11
