// Quitting and relaunching the running Dovrik from the command line.
#include "core/cli/LifecycleCommands.h"

#include "core/cli/CommandSupport.h"
#include "core/cli/RunningDovrik.h"
#include "core/platform/Lifecycle.h"

namespace dovrik::cli {

Command quitCommand() {
  return {
      .name = "quit",
      .synopsis = "",
      .summary = "Quit the running Dovrik, as \"Quit Dovrik\" in its menu does.",
      .details = "What waits to be saved is written first.\n",
      .check = checkNothingAfter("quit"),
      .run =
          [](RunningDovrik& app, const Arguments&, const Caller&) {
            app.commandPorts().lifecycle.quit();
            return CommandOutcome::done();
          },
  };
}

Command relaunchCommand() {
  return {
      .name = "relaunch",
      .synopsis = "",
      .summary = "Quit the running Dovrik and start it again from the same program.",
      .details =
          "The new Dovrik takes over the tray, the hotkeys and the command line as soon\n"
          "as the old one has quit. If it cannot be started, the old one keeps running.\n",
      .check = checkNothingAfter("relaunch"),
      .run =
          [](RunningDovrik& app, const Arguments&, const Caller&) {
            app.commandPorts().lifecycle.relaunch();
            return CommandOutcome::done();
          },
  };
}

}  // namespace dovrik::cli
