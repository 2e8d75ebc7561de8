// The frame of a snap position at one of its cycle sizes, kept a gap away from other snapped
// windows and from the edges of the usable area.
#pragma once

#include <array>
#include <cstdint>

#include "core/model/SnapPosition.h"
#include "core/platform/Geometry.h"

namespace dovrik {

// The share of the usable width (or height, for the top and bottom halves) that a half or a
// quarter takes, in the order a repeated snap steps through them.
enum class SnapSize { half, twoThirds, oneThird };

// The widest gap the settings offer, in points.
inline constexpr int maximumSnapGap = 24;

inline constexpr std::array<SnapSize, 3> snapSizeCycle = {SnapSize::half, SnapSize::twoThirds,
                                                          SnapSize::oneThird};

// Whether snapping to `position` again steps through the sizes; full screen and centre have
// one size only.
bool cyclesSize(SnapPosition position);

// The frame for `position` at `size` inside a visible frame, both in desktop space. An edge
// on the visible frame's border stays `gap` inside it; an edge shared with a neighbouring
// position stays half the gap away, so that two neighbours are one gap apart. The centred
// window is only moved in where it would come closer to a border than the gap. With no gap
// and a half size the frame is exactly `targetFrame`'s.
Rect snapFrame(SnapPosition position, const Rect& visibleFrame, double gap,
               SnapSize size = SnapSize::half);

// A stored gap inside the range the settings offer: a hand-edited file may hold any number.
double usableSnapGap(std::int64_t stored);

// The size after `size` in the cycle; the last wraps to the first.
SnapSize nextSnapSize(SnapSize size);

}  // namespace dovrik
