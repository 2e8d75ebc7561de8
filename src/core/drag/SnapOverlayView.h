// The figures the preview view paints inside its window, so the view itself holds no rules.
#pragma once

#include <algorithm>

#include "core/platform/Geometry.h"
#include "core/platform/OverlaySurface.h"

namespace dovrik {

struct SnapOverlayView {
  // Margin between the window's bounds and the painted box, on all four sides.
  static constexpr double inset = 4;
  // The border is drawn inside the box's edge in the accent colour.
  static constexpr double borderWidth = 1.5;
  static constexpr double borderOpacity = 0.9;

  OverlayContent content;

  double fillOpacity() const { return content.opacity; }
  // Continuous (smooth) corners.
  double cornerRadius() const { return content.roundedCorners ? 14 : 4; }

  // The box in the window's own coordinates; empty, not inverted, when the window is smaller
  // than the margins.
  static Rect box(Size windowSize) {
    return {inset, inset, std::max(0.0, windowSize.width - 2 * inset),
            std::max(0.0, windowSize.height - 2 * inset)};
  }
};

}  // namespace dovrik
