// The compositor's outputs (wl_output) with their names and their place in the compositor's
// logical space, for surfaces that must be put on the output under a given point.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Geometry.h"
#include "linux/wayland/GlobalWatch.h"
#include "linux/wayland/WaylandConnection.h"

struct wl_output;

namespace dovrik::wayland {

class WaylandOutputs {
 public:
  struct Output {
    wl_output* proxy = nullptr;
    std::string name;
    Rect logical;  // in the compositor's logical coordinates, y down
  };

  explicit WaylandOutputs(WaylandConnection& connection);
  WaylandOutputs(const WaylandOutputs&) = delete;
  WaylandOutputs& operator=(const WaylandOutputs&) = delete;
  ~WaylandOutputs();

  // The output that holds the centre of `logicalRect`, else the first one.
  std::optional<Output> outputFor(const Rect& logicalRect) const;

 private:
  struct Tracked {
    std::uint32_t global = 0;
    wl_output* proxy = nullptr;
    std::string name;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t pixelWidth = 0;
    std::int32_t pixelHeight = 0;
    std::int32_t scale = 1;
  };

  void add(const WaylandConnection::Global& global);

  WaylandConnection& connection_;
  std::vector<std::unique_ptr<Tracked>> tracked_;
  GlobalWatch watch_;
};

}  // namespace dovrik::wayland
