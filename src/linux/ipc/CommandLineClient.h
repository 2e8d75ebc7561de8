// What every `dovrik` start does first with its arguments: help, the version and wrong usage
// are answered at once, and a command is handed to the running Dovrik, whose answer ends the
// process; only a start of the agent itself is left to the caller.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrik::ipc {

// `args` leaves out the program name. Prints the outcome on the standard streams and answers
// the exit status; nothing when the arguments ask to start the agent.
std::optional<int> runCommandLine(const std::vector<std::string>& args, std::string_view version);

}  // namespace dovrik::ipc
