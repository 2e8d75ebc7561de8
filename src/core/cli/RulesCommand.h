// `dovrik rules VERB …`: lists, adds, switches and deletes app rules, as the App Rules panel
// and the add-rule sheet do.
#pragma once

#include "core/cli/Command.h"

namespace dovrik::cli {

Command rulesCommand();

}  // namespace dovrik::cli
