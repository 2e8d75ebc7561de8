// Reading the workspace list.
#include "linux/i3ipc/I3Workspaces.h"

#include "linux/i3ipc/I3Json.h"

namespace dovrik::i3ipc {

std::optional<std::vector<I3Workspace>> decodeWorkspaces(std::string_view text) {
  const Json list = parsePayload(text);
  if (!list.is_array())
    return std::nullopt;
  std::vector<I3Workspace> workspaces;
  for (const Json& entry : list) {
    const auto rect = rectOf(entry, "rect");
    const std::string name = textOf(entry, "name");
    if (!rect || name.empty())
      return std::nullopt;
    workspaces.push_back(
        {name, textOf(entry, "output"), *rect, flagOf(entry, "focused"), flagOf(entry, "visible")});
  }
  return workspaces;
}

}  // namespace dovrik::i3ipc
