// `dovrik onboarding`: opens the first-run window and says what it shows.
#pragma once

#include "core/cli/Command.h"

namespace dovrik::cli {

Command onboardingCommand();

}  // namespace dovrik::cli
