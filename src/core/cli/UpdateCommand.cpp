// The update command: its verbs and what each asks of the running Dovrik's updater.
#include "core/cli/UpdateCommand.h"

#include <string>

#include "core/cli/CommandSupport.h"
#include "core/cli/RunningDovrik.h"
#include "core/platform/UpdateService.h"
#include "core/update/UpdateManager.h"

namespace dovrik::cli {
namespace {

const std::string kUpdateVerbs = "check, status, auto";

std::optional<std::string> checkUpdate(const Arguments& args) {
  if (args.empty())
    return missingVerb(kUpdateVerbs);
  const std::string& verb = args.front();
  if (verb == "check" || verb == "status")
    return checkNoArguments(args);
  if (verb != "auto")
    return unknownVerb(verb, kUpdateVerbs);
  if (args.size() != 2 || (args[1] != "on" && args[1] != "off"))
    return "usage: dovrik update auto on|off";
  return std::nullopt;
}

CommandOutcome status(RunningDovrik& app) {
  UpdateManager& updates = app.updateManager();
  std::string out = "Version " + app.version() + "\n" + updates.lastCheckText() + "\n" +
                    "Automatic checks: " + (updates.automaticallyChecks() ? "on" : "off") + "\n";
  if (!app.commandPorts().updateService.hasFeed())
    out += "This build has no update feed, so it never checks.\n";
  return CommandOutcome::done(out);
}

CommandOutcome runUpdate(RunningDovrik& app, const Arguments& args, const Caller&) {
  UpdateManager& updates = app.updateManager();
  const std::string& verb = args.front();
  if (verb == "status")
    return status(app);
  if (verb == "auto") {
    updates.setAutomaticallyChecks(args[1] == "on");
    return CommandOutcome::done();
  }
  if (!app.commandPorts().updateService.hasFeed())
    return CommandOutcome::failure(ExitStatus::failed,
                                   "this build of Dovrik has no update feed to check.");
  if (!updates.canCheckForUpdates())
    return CommandOutcome::failure(ExitStatus::failed, "a check or an installation is running.");
  updates.checkForUpdates();
  return CommandOutcome::done("Checking for updates; the answer appears in a window.\n");
}

}  // namespace

Command updateCommand() {
  return {
      .name = "update",
      .synopsis = "VERB [on|off]",
      .summary = "Check for a new version of Dovrik, or show or set the updater's checks.",
      .details =
          "Verbs:\n"
          "  check          Check the release feed now, as \"Check for Updates…\" does: a\n"
          "                 window tells the answer and offers a newer version, which is\n"
          "                 installed only when you choose \"Install and Relaunch\".\n"
          "  status         The running version, when the last check was, and whether\n"
          "                 Dovrik checks by itself.\n"
          "  auto on|off    Check once a day by itself, or not.\n",
      .check = checkUpdate,
      .run = runUpdate,
  };
}

}  // namespace dovrik::cli
