// What `dovrik` ends with: its exit status and the text for its output and error streams.
#pragma once

#include <string>

namespace dovrik::cli {

// The exit statuses a script can tell apart.
enum class ExitStatus : int {
  done = 0,
  failed = 1,       // the running Dovrik could not do it (no window, no window control)
  usage = 2,        // an unknown command, option or argument
  unreachable = 3,  // Dovrik is not running on this display, or did not answer
};

struct CommandOutcome {
  int exitCode = 0;
  std::string out;
  std::string err;

  static CommandOutcome done(std::string out = {}) { return {0, std::move(out), {}}; }
  // `line` is one sentence without its line break.
  static CommandOutcome failure(ExitStatus status, const std::string& line) {
    return {static_cast<int>(status), {}, line + '\n'};
  }

  friend bool operator==(const CommandOutcome&, const CommandOutcome&) = default;
};

}  // namespace dovrik::cli
