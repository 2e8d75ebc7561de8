// The onboarding command: the first-run window brought forward, and its state in one line.
#include "core/cli/OnboardingCommand.h"

#include "core/app/App.h"
#include "core/cli/CommandSupport.h"

namespace dovrik::cli {

Command onboardingCommand() {
  return {
      .name = "onboarding",
      .synopsis = "",
      .summary = "Open the first-run window, which explains what Dovrik needs to move windows.",
      .details =
          "Prints what the window shows: \"You're set\" once Dovrik can move windows,\n"
          "else what is still missing. With the window open it is brought to the front.\n",
      .check = checkNothingAfter("onboarding"),
      .run =
          [](App& app, const Arguments&, const Caller&) {
            app.showOnboarding();
            return CommandOutcome::done(app.onboarding()->statusLine() + '\n');
          },
  };
}

}  // namespace dovrik::cli
