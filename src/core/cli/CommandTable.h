// Every command `dovrik` knows, in the order its help lists them.
#pragma once

#include <string_view>
#include <vector>

#include "core/cli/Command.h"

namespace dovrik::cli {

const std::vector<Command>& commandTable();
const Command* findCommand(std::string_view name);

}  // namespace dovrik::cli
