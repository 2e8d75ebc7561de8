// `dovrik apps`: the installed applications, as the add-rule sheet lists them.
#pragma once

#include "core/cli/Command.h"

namespace dovrik::cli {

Command appsCommand();

}  // namespace dovrik::cli
