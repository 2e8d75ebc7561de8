// The monitors of the X screen in root coordinates, as RandR reports them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <xcb/randr.h>
#include <xcb/xcb.h>

namespace dovrik::x11 {

struct Monitor {
  std::string name;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool primary = false;
  // The outputs showing it; a monitor made with `xrandr --setmonitor` may have none or several.
  std::vector<xcb_randr_output_t> outputs;
  friend bool operator==(const Monitor&, const Monitor&) = default;
};

// RandR 1.5 monitors, else the CRTCs of connected outputs, else the whole root window. The
// primary monitor (RandR's primary, else the output marked primary, else the first) comes
// first; the rest keep RandR's order.
std::vector<Monitor> queryMonitors(xcb_connection_t* connection, xcb_window_t root);

}  // namespace dovrik::x11
