// A monitor's usable area: the monitor minus the space docks and panels reserve on it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "linux/x11/RandrMonitors.h"

namespace dovrik::x11 {

// A dock's reservation (`_NET_WM_STRUT_PARTIAL` layout): thickness from each edge of the root
// window, and the span along that edge it covers (inclusive).
struct Strut {
  int left = 0, right = 0, top = 0, bottom = 0;
  int leftStartY = 0, leftEndY = 0;
  int rightStartY = 0, rightEndY = 0;
  int topStartX = 0, topEndX = 0;
  int bottomStartX = 0, bottomEndX = 0;

  // From the 12 values of `_NET_WM_STRUT_PARTIAL`, or the 4 of `_NET_WM_STRUT` (which span the
  // whole edge); nothing for other lengths.
  static std::optional<Strut> fromValues(const std::vector<std::uint32_t>& values, int rootWidth,
                                         int rootHeight);
};

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A strut cuts a monitor only when its inner edge falls inside that monitor and its span
// meets it; so a panel on one monitor never shrinks its neighbour, and a strut that reaches
// across a whole monitor (a dock on an inner edge of the layout) belongs to the next one.
PixelRect usableArea(const Monitor& monitor, const std::vector<Strut>& struts, int rootWidth,
                     int rootHeight);

// The window manager's work area for `desktop` out of `_NET_WORKAREA` (four values a desktop);
// nothing when it does not list that desktop or states an empty area.
std::optional<PixelRect> workAreaOf(const std::vector<std::uint32_t>& values,
                                    std::uint32_t desktop);

// A monitor's usable area narrowed to the window manager's work area. The work area is the
// only place a window manager states what its own panels take (they are not clients and carry
// no strut); with several monitors it is their bounding box, so intersecting never gives back
// what a strut took. An area that does not meet the work area at all is left as it is.
PixelRect withinWorkArea(const PixelRect& usable, const std::optional<PixelRect>& workArea);

}  // namespace dovrik::x11
