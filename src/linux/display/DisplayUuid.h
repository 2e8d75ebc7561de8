// Display UUIDs on X11: a name-based UUID of what the monitor says about itself in its EDID, so
// the same monitor keeps its UUID on any connector, in any arrangement and at any resolution.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "linux/display/Edid.h"

namespace dovrik::display {

// What is known of one connected monitor.
struct DisplaySource {
  std::string monitorName;  // the RandR monitor's name, else its output's
  std::string connector;    // the output the EDID was read from
  std::optional<Edid> edid;
};

// A version-5 UUID of `name` in Dovrik's own namespace, as upper-case 8-4-4-4-12 text.
std::string nameBasedUuid(std::string_view name);

// One UUID per monitor, in the same order. Monitors without an EDID (virtual outputs, Xvfb,
// monitors made with `xrandr --setmonitor`) are named by their monitor name.
std::vector<std::string> displayUuids(const std::vector<DisplaySource>& monitors);

}  // namespace dovrik::display
