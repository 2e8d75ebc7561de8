// Arithmetic for moving a window between monitors: the order in which the monitors follow one
// another, and where a frame lands when carried from one usable area to another.
#pragma once

#include <cstddef>
#include <vector>

#include "core/platform/Geometry.h"
#include "core/platform/Screens.h"

namespace dovrik {

enum class DisplayDirection { next, previous };

// The index of the monitor after (or before) `current`, the monitors read left to right and,
// where they share a left edge, top to bottom; the last is followed by the first.
std::size_t adjacentScreenIndex(const std::vector<Screen>& screens, std::size_t current,
                                DisplayDirection direction);

// `frame` scaled from the area `from` into the area `to`, keeping its place and share of the
// area, and clamped inside `to`. All three in the same space.
Rect carriedFrame(const Rect& frame, const Rect& from, const Rect& to);

}  // namespace dovrik
