// `dovrik update VERB`: checking for a new release, the updater's state, and its daily checks.
#pragma once

#include "core/cli/Command.h"

namespace dovrik::cli {

Command updateCommand();

}  // namespace dovrik::cli
