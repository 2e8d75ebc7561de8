// Matching a window's frame with the one Dovrik asked for, and the frames before placements.
#include "core/windows/PlacedFrames.h"

#include <cmath>

namespace dovrik {
namespace {

// A window manager nudges a window by its border at most.
constexpr double originSlack = 4;
// Wider than a cell of any terminal font in everyday use, narrower than any snap step.
constexpr double sizeSlack = 32;

}  // namespace

bool hasTakenFrame(const Rect& actual, const Rect& requested) {
  return std::abs(actual.x - requested.x) <= originSlack &&
         std::abs(actual.y - requested.y) <= originSlack &&
         std::abs(actual.width - requested.width) <= sizeSlack &&
         std::abs(actual.height - requested.height) <= sizeSlack;
}

void PlacedFrames::notePlacement(std::uint64_t window, const Rect& current, const Rect& placed) {
  const auto known = placements_.find(window);
  if (known != placements_.end() && hasTakenFrame(current, known->second.placed)) {
    known->second.placed = placed;
    return;
  }
  placements_[window] = {current, placed};
}

std::optional<Rect> PlacedFrames::frameBefore(std::uint64_t window, const Rect& current) const {
  const auto known = placements_.find(window);
  if (known == placements_.end() || !hasTakenFrame(current, known->second.placed))
    return std::nullopt;
  return known->second.before;
}

void PlacedFrames::forget(std::uint64_t window) {
  placements_.erase(window);
}

}  // namespace dovrik
