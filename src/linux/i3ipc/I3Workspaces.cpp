// Reading the workspace list.
#include "linux/i3ipc/I3Workspaces.h"

#include <utility>

#include "linux/i3ipc/I3Json.h"

namespace dovrik::i3ipc {

std::optional<std::vector<I3Workspace>> decodeWorkspaces(std::string_view text) {
  return decodeArray<I3Workspace>(text, [](const Json& entry) -> std::optional<I3Workspace> {
    const auto rect = rectOf(entry, "rect");
    std::string name = textOf(entry, "name");
    if (!rect || name.empty())
      return std::nullopt;
    return I3Workspace{std::move(name), textOf(entry, "output"), *rect, flagOf(entry, "focused"),
                       flagOf(entry, "visible")};
  });
}

}  // namespace dovrik::i3ipc
