// Reading command outcomes.
#include "linux/i3ipc/CommandReply.h"

#include <algorithm>

#include "linux/i3ipc/I3Json.h"

namespace dovrik::i3ipc {

std::optional<std::vector<CommandOutcome>> decodeCommandReply(std::string_view text) {
  return decodeArray<CommandOutcome>(text, [](const Json& entry) -> std::optional<CommandOutcome> {
    const Json* success = entry.is_object() ? presentMember(entry, "success") : nullptr;
    if (success == nullptr || !success->is_boolean())
      return std::nullopt;
    return CommandOutcome{success->get<bool>(), textOf(entry, "error")};
  });
}

bool allSucceeded(const std::vector<CommandOutcome>& outcomes) {
  return !outcomes.empty() &&
         std::all_of(outcomes.begin(), outcomes.end(), [](const auto& o) { return o.success; });
}

}  // namespace dovrik::i3ipc
