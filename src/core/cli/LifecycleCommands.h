// `dovrik quit` and `dovrik relaunch`: ending the running Dovrik, or starting it afresh.
#pragma once

#include "core/cli/Command.h"

namespace dovrik::cli {

Command quitCommand();
Command relaunchCommand();

}  // namespace dovrik::cli
