// `dovrik layout VERB …`: lists, saves, updates, restores, switches and deletes saved layouts,
// as the tray menu and the settings do.
#pragma once

#include "core/cli/Command.h"

namespace dovrik::cli {

Command layoutCommand();

}  // namespace dovrik::cli
