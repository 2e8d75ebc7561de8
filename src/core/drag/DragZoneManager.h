// The tunable parameters of drag snapping, one stored preference each, and the zone hit test that
// gives them their meaning.
#pragma once

#include <optional>
#include <set>

#include "core/model/PreferenceTable.h"
#include "core/model/SnapPosition.h"
#include "core/platform/Defaults.h"
#include "core/platform/Screens.h"
#include "core/support/Signal.h"

namespace dovrik {

class DragZoneManager {
 public:
  // Loads every parameter; a key that is absent or holds another type reads as its default.
  // Nothing is written back.
  explicit DragZoneManager(Defaults& defaults);
  DragZoneManager(const DragZoneManager&) = delete;
  DragZoneManager& operator=(const DragZoneManager&) = delete;

  // Depth in points of the band along each side that selects a half or the full screen.
  double edgeSensitivity() const { return edgeSensitivity_; }
  // Side in points of the square in each corner that selects a quarter.
  double cornerSensitivity() const { return cornerSensitivity_; }
  // Seconds from the release of the mouse to the snap.
  double snapDelay() const { return snapDelay_; }
  // Straight-line distance in points the pointer travels before a press becomes a drag.
  double dragThreshold() const { return dragThreshold_; }
  bool cornerSnappingEnabled() const { return cornerSnappingEnabled_; }
  bool edgeSnappingEnabled() const { return edgeSnappingEnabled_; }
  // While off, drags are not watched at all.
  bool dragSnappingEnabled() const { return dragSnappingEnabled_; }

  // Each stores its value at once (unclamped) and then emits `changed`.
  void setEdgeSensitivity(double value);
  void setCornerSensitivity(double value);
  void setSnapDelay(double value);
  void setDragThreshold(double value);
  void setCornerSnappingEnabled(bool value);
  void setEdgeSnappingEnabled(bool value);
  void setDragSnappingEnabled(bool value);

  // Every parameter back to its default, each stored as by its setter.
  void reset();

  // The position a pointer at `p` (desktop space) selects on `screen`, or nothing. Measured
  // from the screen's full frame; corners win over edges, and a corner whose position is not
  // enabled selects nothing rather than the edge beneath it. Bounds are inclusive.
  std::optional<SnapPosition> snapZone(Point p, const Screen& screen,
                                       const std::set<SnapPosition>& enabledPositions) const;

  Signal<> changed;

 private:
  template <typename T>
  void store(const Preference<T>& preference, T& value, T newValue);

  Defaults& defaults_;
  double edgeSensitivity_;
  double cornerSensitivity_;
  double snapDelay_;
  double dragThreshold_;
  bool cornerSnappingEnabled_;
  bool edgeSnappingEnabled_;
  bool dragSnappingEnabled_;
};

}  // namespace dovrik
