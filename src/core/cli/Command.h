// One entry of the command table: how a command is named, described and checked in the
// client, and how the running Dovrik carries it out.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/cli/CommandOutcome.h"
#include "core/cli/RunningDovrik.h"

namespace dovrik::cli {

// The words after the command's name.
using Arguments = std::vector<std::string>;

// Where the request came from, for arguments that depend on it.
struct Caller {
  // The client's working directory, against which relative paths are resolved; empty when the
  // request did not say.
  std::string workingDirectory;
};

struct Command {
  std::string name;
  std::string synopsis;  // the arguments as the usage line shows them: "POSITION"
  std::string summary;   // one line for the command list
  std::string details;   // the rest of the command's help, ending with a line break
  // Runs in the client, so that a wrong argument is answered even while Dovrik is not
  // running: the error line, or nothing when the arguments are fine. The running Dovrik checks
  // again before `run`, since any local process can write to its socket.
  std::function<std::optional<std::string>(const Arguments&)> check;
  // Runs inside the running Dovrik, on its main queue, with arguments that passed `check`.
  std::function<CommandOutcome(RunningDovrik&, const Arguments&, const Caller&)> run = nullptr;
  // Instead of `run`, for a command whose outcome is known only once something has happened
  // (a window reaching its new frame): hands the outcome to its last argument, once, now or on
  // a later turn of the main queue.
  using Answer = std::function<void(CommandOutcome)>;
  std::function<void(RunningDovrik&, const Arguments&, const Caller&, Answer)> runThenAnswer =
      nullptr;
};

}  // namespace dovrik::cli
