// `dovrik clipboard VERB …`: lists the clipboard history, and copies, pastes, pins and deletes
// its entries by number, as the clipboard popup does.
#pragma once

#include "core/cli/Command.h"

namespace dovrik::cli {

Command clipboardCommand();

}  // namespace dovrik::cli
