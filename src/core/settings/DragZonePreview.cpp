// Scaling the drag zones down to the miniature screen.
#include "core/settings/DragZonePreview.h"

#include <algorithm>

namespace dovrik {

DragZonePreview DragZonePreview::make(Size screen, double width, const DragZoneManager& zones) {
  DragZonePreview preview;
  if (screen.width <= 0 || screen.height <= 0 || width <= 0)
    return preview;
  const double scale = width / screen.width;
  const double w = width;
  const double h = screen.height * scale;
  preview.size = {w, h};
  const double limit = std::min(w, h) / 2;
  if (zones.edgeSnappingEnabled()) {
    const double e = std::clamp(zones.edgeSensitivity() * scale, 0.0, limit);
    preview.edgeBands = {{0, 0, e, h}, {w - e, 0, e, h}, {0, 0, w, e}, {0, h - e, w, e}};
  }
  if (zones.cornerSnappingEnabled()) {
    const double c = std::clamp(zones.cornerSensitivity() * scale, 0.0, limit);
    preview.cornerSquares = {
        {0, 0, c, c}, {w - c, 0, c, c}, {0, h - c, c, c}, {w - c, h - c, c, c}};
  }
  if (!zones.edgeSnappingEnabled() && !zones.cornerSnappingEnabled())
    preview.notice = allOffText;
  return preview;
}

}  // namespace dovrik
