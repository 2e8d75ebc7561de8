// Arithmetic on the screen list: the primary screen's height, the flip between desktop space
// (y up) and accessibility space (y down), and the screen a frame belongs to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Geometry.h"
#include "core/platform/Screens.h"

namespace dovrik {

// Height of the first screen whose frame origin is exactly (0, 0); else of the first screen;
// 0 without screens.
double primaryScreenHeight(const std::vector<Screen>& screens);

// Carries a rectangle between the two spaces; its own inverse.
inline Rect flipRect(const Rect& r, double primaryHeight) {
  return {r.x, primaryHeight - (r.y + r.height), r.width, r.height};
}
inline Point flipPoint(Point p, double primaryHeight) {
  return {p.x, primaryHeight - p.y};
}

// The screen whose full frame overlaps `desktopFrame` most; ties and frames on no screen go to
// the earlier screen. Nothing when the list is empty.
std::optional<std::size_t> screenIndexForFrame(const std::vector<Screen>& screens,
                                               const Rect& desktopFrame);

// A display id for a monitor known by its output's name, the same for that name in every run.
std::uint32_t displayIdForName(const std::string& name);

}  // namespace dovrik
