// The ten places a window can be snapped to, with their text form and target geometry.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/platform/Geometry.h"
#include "core/support/Json.h"

namespace dovrik {

enum class SnapPosition {
  leftHalf,
  rightHalf,
  topHalf,
  bottomHalf,
  fullScreen,
  topLeft,
  topRight,
  bottomLeft,
  bottomRight,
  center,
};

// Declaration order: the order in which positions are listed everywhere.
inline constexpr std::array<SnapPosition, 10> allSnapPositions = {
    SnapPosition::leftHalf,   SnapPosition::rightHalf,  SnapPosition::topHalf,
    SnapPosition::bottomHalf, SnapPosition::fullScreen, SnapPosition::topLeft,
    SnapPosition::topRight,   SnapPosition::bottomLeft, SnapPosition::bottomRight,
    SnapPosition::center,
};

// The only text form of a position: display name, identifier and stored value ("Left Half").
std::string_view rawValue(SnapPosition position);
std::optional<SnapPosition> snapPositionFromRawValue(std::string_view text);
// Symbol image name.
std::string_view icon(SnapPosition position);

// The window frame for `position` inside a screen's visible frame, both in desktop space.
// Exact: fractional points are kept.
Rect targetFrame(SnapPosition position, const Rect& visibleFrame);

Json toJson(SnapPosition position);
std::optional<SnapPosition> snapPositionFromJson(const Json& json);

}  // namespace dovrik
