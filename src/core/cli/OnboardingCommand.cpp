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
      .synopsis = "",
      .summary = "Open the first-run window, which explains what Dovrik needs to move windows.",
      .details =
          "Prints what the window shows: \"You're set\" once Dovrik can move windows,\n"
          "else what is still missing. With the window open it is brought to the front.\n"
          "Also says whether Dovrik holds the window manager's own edge tiling off, or\n"
          "which of its settings to turn off where Dovrik cannot, and that dragging a\n"
          "window to a screen edge will not snap it on a desktop that does not say when\n"
          "a window is dragged.\n",
      .check = checkNothingAfter("onboarding"),
      .run =
          [](RunningDovrik& app, const Arguments&, const Caller&) {
            app.showOnboarding();
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
