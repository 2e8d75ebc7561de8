#include "SwayTree.h"

namespace dovrik::swaytest {

namespace {

std::optional<SwayWindow> search(const nlohmann::json& node, const std::string& title,
                                 const nlohmann::json& workspace) {
  // Windows are the containers that belong to a client.
  if (node.contains("pid") && node.value("name", "") == title)
    return SwayWindow{node, workspace};
  const nlohmann::json& enclosing = node.value("type", "") == "workspace" ? node : workspace;
  for (const char* children : {"nodes", "floating_nodes"})
    for (const auto& child : node.value(children, nlohmann::json::array()))
      if (auto found = search(child, title, enclosing))
        return found;
  return std::nullopt;
}

}  // namespace

std::optional<SwayWindow> windowTitled(const nlohmann::json& tree, const std::string& title) {
  return search(tree, title, nullptr);
}

}  // namespace dovrik::swaytest
