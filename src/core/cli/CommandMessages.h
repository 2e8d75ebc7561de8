// The messages between a `dovrik COMMAND` client and the running Dovrik: one JSON line each
// way, {"args": ["snap", "left-half"], "cwd": "/home/u"} there and
// {"exit": 0, "stdout": "", "stderr": ""} back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cli/CommandOutcome.h"

namespace dovrik::cli {

struct Request {
  std::vector<std::string> words;  // the command's name followed by its arguments
  std::string workingDirectory;    // the client's; empty when not given
};

// No line break is added; an empty `workingDirectory` is left out.
std::string encodeRequest(const std::vector<std::string>& words,
                          const std::string& workingDirectory = {});
// Nothing unless the line is exactly such a request.
std::optional<Request> decodeRequest(std::string_view line);

std::string encodeOutcome(const CommandOutcome& outcome);
std::optional<CommandOutcome> decodeOutcome(std::string_view line);

}  // namespace dovrik::cli
