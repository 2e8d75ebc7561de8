// `dovrik shortcuts`: the global shortcuts of snapping, moving windows between monitors and the
// clipboard popup, listed and changed as the Shortcuts panel changes them.
#pragma once

#include "core/cli/Command.h"

namespace dovrik::cli {

Command shortcutsCommand();

}  // namespace dovrik::cli
