// A scripted window manager's edge tiling: its name and settings, their values, and the ways
// a real store fails (unreadable, refusing a write, accepting one without keeping it).
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/EdgeTiling.h"

namespace dovrik::sim {

class SimEdgeTiling : public EdgeTiling {
 public:
  WindowManagerTiling running() override { return windowManager; }
  // Nothing for a setting that is unreadable or has no value.
  std::optional<bool> isOn(std::string_view id) override;
  // Recorded in `writes` unless refused.
  bool setOn(std::string_view id, bool on) override;

  // None by default: no window manager with edge tiling.
  WindowManagerTiling windowManager;
  std::map<std::string, bool, std::less<>> values;
  std::set<std::string, std::less<>> unreadable;
  std::set<std::string, std::less<>> refused;
  std::set<std::string, std::less<>> notKept;
  std::vector<std::pair<std::string, bool>> writes;
  // Runs just before each accepted write, while the value is still the old one.
  std::function<void(const std::string& id, bool on)> beforeWrite;
};

}  // namespace dovrik::sim
