// The apps command: one line per installed application, with the ID a rule takes.
#include "core/cli/AppsCommand.h"

#include "core/cli/RunningDovrik.h"
#include "core/rules/InstalledAppsCache.h"

namespace dovrik::cli {
namespace {

std::optional<std::string> checkApps(const Arguments& args) {
  if (args.empty())
    return std::nullopt;
  return "apps takes no arguments.";
}

CommandOutcome runApps(RunningDovrik& app, const Arguments&, const Caller&) {
  // The client waits for this answer anyway, so the first request of a run scans right here.
  const std::vector<AppInfo>& apps = app.installedAppsCache().loadNow();
  if (apps.empty())
    return CommandOutcome::done("No installed apps were found.\n");
  std::string out;
  for (const AppInfo& info : apps)
    out += info.name + " (" + info.bundleIdentifier + ")\n";
  return CommandOutcome::done(out);
}

}  // namespace

Command appsCommand() {
  return {
      .name = "apps",
      .synopsis = "",
      .summary = "List the installed apps that rules can be made for.",
      .details =
          "One line per app, sorted by name: its name and, in parentheses, the ID that\n"
          "`dovrik rules add` takes.\n",
      .check = checkApps,
      .run = runApps,
  };
}

}  // namespace dovrik::cli
