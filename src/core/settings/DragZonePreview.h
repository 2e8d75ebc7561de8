// The miniature screen of the Drag Zones panel: the edge bands and corner squares of the drag
// zones drawn to scale, in the miniature's own coordinates (origin top-left, y down).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/drag/DragZoneManager.h"
#include "core/platform/Geometry.h"

namespace dovrik {

struct DragZonePreview {
  static constexpr std::string_view allOffText = "All drag zones are off";

  Size size;
  // Left, right, top, bottom; empty while edge snapping is off.
  std::vector<Rect> edgeBands;
  // Top-left, top-right, bottom-left, bottom-right; empty while corner snapping is off.
  std::vector<Rect> cornerSquares;
  // Shown instead of any zone when both kinds are off.
  std::optional<std::string_view> notice;

  // A miniature `width` wide in the proportions of `screen`. Zones deeper than half the
  // screen are drawn at half, so the miniature never shows more than the screen.
  static DragZonePreview make(Size screen, double width, const DragZoneManager& zones);
};

}  // namespace dovrik
