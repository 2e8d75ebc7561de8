// The drag command: reading and switching what happens to a snapped window dragged away.
#include "core/cli/DragCommand.h"

#include "core/cli/CommandSupport.h"
#include "core/cli/RunningDovrik.h"
#include "core/drag/DragMonitor.h"
#include "core/model/AppState.h"

namespace dovrik::cli {
namespace {

const char* const kDragVerbs = "restore-size";

std::optional<std::string> checkDrag(const Arguments& args) {
  if (args.empty())
    return missingVerb(kDragVerbs);
  if (args[0] != "restore-size")
    return unknownVerb(args[0], kDragVerbs);
  if (args.size() > 2 || (args.size() == 2 && args[1] != "on" && args[1] != "off"))
    return "usage: dovrik drag restore-size [on|off]";
  return std::nullopt;
}

CommandOutcome runDrag(RunningDovrik& app, const Arguments& args, const Caller&) {
  // Reading or setting how drags behave would suggest they snap where none reaches Dovrik.
  if (!app.dragMonitor().followsWindowDrags())
    return CommandOutcome::failure(ExitStatus::failed,
                                   std::string(DragMonitor::dragsNotFollowedText));
  AppState& state = app.appState();
  if (args.size() == 2)
    state.setRestoreSizeOnDrag(args[1] == "on");
  return CommandOutcome::done(std::string(state.restoreSizeOnDrag() ? "on" : "off") + "\n");
}

}  // namespace

Command dragCommand() {
  return {
      .name = "drag",
      .synopsis = "restore-size [on|off]",
      .summary = "Say or set what a snapped window does when dragged away.",
      .details =
          "  restore-size [on|off]   A snapped window dragged away by its title bar takes\n"
          "                          back the size it had before the snap. Without on or\n"
          "                          off, prints the current setting.\n"
          "Fails, saying why, on a desktop that does not tell Dovrik about window drags.\n",
      .check = checkDrag,
      .run = runDrag,
  };
}

}  // namespace dovrik::cli
