// What RUN_COMMAND answers: one outcome per command of the list, in order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrik::i3ipc {

struct CommandOutcome {
  bool success = false;
  std::string error;  // the window manager's own words when it failed
  friend bool operator==(const CommandOutcome&, const CommandOutcome&) = default;
};

// Nothing for text that is not an array of objects with a boolean "success".
std::optional<std::vector<CommandOutcome>> decodeCommandReply(std::string_view text);

// Whether every command of a reply succeeded; an empty reply ran nothing and did not.
bool allSucceeded(const std::vector<CommandOutcome>& outcomes);

}  // namespace dovrik::i3ipc
