// `dovrik shelf VERB …`: lists the file shelf, adds files to it as a drop on the popup does, and
// pastes, pins and removes its entries by number.
#pragma once

#include "core/cli/Command.h"

namespace dovrik::cli {

Command shelfCommand();

}  // namespace dovrik::cli
