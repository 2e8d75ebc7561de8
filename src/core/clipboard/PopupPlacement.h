// Where the clipboard popup goes: next to the pointer on the screen under it, inside that
// screen's usable area, and how it grows or shrinks from a fixed top edge. Desktop space.
#pragma once

#include <optional>
#include <vector>

#include "core/platform/Geometry.h"
#include "core/platform/Screens.h"

namespace dovrik::PopupPlacement {

inline constexpr double popupWidth = 320;
inline constexpr double collapsedHeight = 282;
inline constexpr double expandedHeight = 460;
inline constexpr double shelfTabHeight = 320;
// Space kept between the popup and the usable area's edges, and between it and the pointer.
inline constexpr double edgeMargin = 8;
inline constexpr double pointerGap = 14;

// The first screen whose frame holds the pointer; else the main screen; else the first.
std::optional<Screen> screenUnderPointer(Point pointer, const std::vector<Screen>& screens,
                                         const std::optional<Screen>& mainScreen);

// Centred on the pointer, its bottom edge above it; below the pointer when the top would come
// too close to the top of the usable area. The left and bottom margins win over the others.
Rect positionAtCursor(Point pointer, const std::optional<Screen>& screen, double height);

// The frame at `height` with the same top edge, kept above the bottom margin of `screen`.
Rect resized(const Rect& frame, double height, const std::optional<Screen>& screen);

}  // namespace dovrik::PopupPlacement
