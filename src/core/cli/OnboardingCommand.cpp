// The onboarding command: the first-run window brought forward, and its state in one line.
#include "core/cli/OnboardingCommand.h"

#include "core/cli/CommandSupport.h"
#include "core/cli/RunningDovrik.h"
#include "core/drag/EdgeTilingGuard.h"
#include "core/onboarding/OnboardingModel.h"

namespace dovrik::cli {

Command onboardingCommand() {
  return {
      .name = "onboarding",
      .synopsis = "[grant-access]",
      .summary = "Open the first-run window, which explains what Dovrik needs to move windows.",
      .details =
          "Prints what the window shows: \"You're set\" once Dovrik can move windows,\n"
          "else what is still missing. With the window open it is brought to the front.\n"
          "Also says whether Dovrik holds the window manager's own edge tiling off, or\n"
          "which of its settings to turn off where Dovrik cannot, and that dragging a\n"
          "window to a screen edge will not snap it on a desktop that does not say when\n"
          "a window is dragged.\n"
          "  grant-access   Does what the window's main button does first: asks the\n"
          "                 desktop for what Dovrik needs. On GNOME it installs Dovrik's\n"
          "                 Shell extension for you where no package did, and turns it on.\n",
      .check = [](const Arguments& args) -> std::optional<std::string> {
        if (args.empty() || (args.size() == 1 && args[0] == "grant-access"))
          return std::nullopt;
        return "usage: dovrik onboarding [grant-access]";
      },
      .run =
          [](RunningDovrik& app, const Arguments& args, const Caller&) {
            app.showOnboarding();
            if (!args.empty())
              app.onboarding()->requestAccess();
            std::string out = app.onboarding()->statusLine() + '\n';
            if (const auto dragsNote = app.onboarding()->dragsNotFollowedNote())
              out += std::string(*dragsNote) + '\n';
            const EdgeTilingGuard& edgeTiling = app.edgeTilingGuard();
            for (const auto& notice : {edgeTiling.leftOnNotice(), edgeTiling.heldOffNotice()}) {
              if (notice)
                out += *notice + '\n';
            }
            return CommandOutcome::done(out);
          },
  };
}

}  // namespace dovrik::cli
