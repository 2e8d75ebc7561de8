// Finding windows in sway's tree (get_tree), for tests that wait on them.
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace dovrik::swaytest {

struct SwayWindow {
  nlohmann::json node;       // the window's container: app_id or window_properties, rect …
  nlohmann::json workspace;  // the workspace it is on: its rect is the usable area
};

// The first window (tiled or floating) whose title is `title`.
std::optional<SwayWindow> windowTitled(const nlohmann::json& tree, const std::string& title);

}  // namespace dovrik::swaytest
