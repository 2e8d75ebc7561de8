// `dovrik drag restore-size [on|off]`: how a snapped window behaves when dragged away.
#pragma once

#include "core/cli/Command.h"

namespace dovrik::cli {

Command dragCommand();

}  // namespace dovrik::cli
