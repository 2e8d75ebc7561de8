// The messages between a `dovrik COMMAND` client and the running Dovrik: one JSON line each
// way, {"args": ["snap", "left-half"]} there and {"exit": 0, "stdout": "", "stderr": ""} back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cli/CommandOutcome.h"

namespace dovrik::cli {

// `words` is the command's name followed by its arguments. No line break is added.
std::string encodeRequest(const std::vector<std::string>& words);
// Nothing unless the line is exactly such a request.
std::optional<std::vector<std::string>> decodeRequest(std::string_view line);

std::string encodeOutcome(const CommandOutcome& outcome);
std::optional<CommandOutcome> decodeOutcome(std::string_view line);

}  // namespace dovrik::cli
