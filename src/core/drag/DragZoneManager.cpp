// Loading, storing and hit-testing the drag zones.
#include "core/drag/DragZoneManager.h"

namespace dovrik {
DragZoneManager::DragZoneManager(Defaults& defaults)
    : defaults_(defaults),
      edgeSensitivity_(prefs::edgeSensitivity.read(defaults)),
      cornerSensitivity_(prefs::cornerSensitivity.read(defaults)),
      snapDelay_(prefs::snapDelay.read(defaults)),
      dragThreshold_(prefs::dragThreshold.read(defaults)),
      cornerSnappingEnabled_(prefs::cornerSnapping.read(defaults)),
      edgeSnappingEnabled_(prefs::edgeSnapping.read(defaults)),
      dragSnappingEnabled_(prefs::dragSnapping.read(defaults)) {}

template <typename T>
void DragZoneManager::store(const Preference<T>& preference, T& value, T newValue) {
  value = newValue;
  preference.write(defaults_, newValue);
  changed.emit();
}

void DragZoneManager::setEdgeSensitivity(double value) {
  store(prefs::edgeSensitivity, edgeSensitivity_, value);
}

void DragZoneManager::setCornerSensitivity(double value) {
  store(prefs::cornerSensitivity, cornerSensitivity_, value);
}

void DragZoneManager::setSnapDelay(double value) {
  store(prefs::snapDelay, snapDelay_, value);
}

void DragZoneManager::setDragThreshold(double value) {
  store(prefs::dragThreshold, dragThreshold_, value);
}

void DragZoneManager::setCornerSnappingEnabled(bool value) {
  store(prefs::cornerSnapping, cornerSnappingEnabled_, value);
}

void DragZoneManager::setEdgeSnappingEnabled(bool value) {
  store(prefs::edgeSnapping, edgeSnappingEnabled_, value);
}

void DragZoneManager::setDragSnappingEnabled(bool value) {
  store(prefs::dragSnapping, dragSnappingEnabled_, value);
}

void DragZoneManager::reset() {
  setEdgeSensitivity(prefs::edgeSensitivity.fallback);
  setCornerSensitivity(prefs::cornerSensitivity.fallback);
  setSnapDelay(prefs::snapDelay.fallback);
  setDragThreshold(prefs::dragThreshold.fallback);
  setCornerSnappingEnabled(prefs::cornerSnapping.fallback);
  setEdgeSnappingEnabled(prefs::edgeSnapping.fallback);
  setDragSnappingEnabled(prefs::dragSnapping.fallback);
}

std::optional<SnapPosition> DragZoneManager::snapZone(
    Point p, const Screen& screen, const std::set<SnapPosition>& enabledPositions) const {
  const Rect& f = screen.frame;
  const double e = edgeSensitivity_;
  const double c = cornerSensitivity_;
  const bool nearLeft = p.x <= f.minX() + c;
  const bool nearRight = p.x >= f.maxX() - c;
  const bool nearTop = p.y >= f.maxY() - c;
  const bool nearBottom = p.y <= f.minY() + c;

  std::optional<SnapPosition> candidate;
  if (cornerSnappingEnabled_) {
    if (nearLeft && nearTop)
      candidate = SnapPosition::topLeft;
    else if (nearRight && nearTop)
      candidate = SnapPosition::topRight;
    else if (nearLeft && nearBottom)
      candidate = SnapPosition::bottomLeft;
    else if (nearRight && nearBottom)
      candidate = SnapPosition::bottomRight;
  }
  if (!candidate) {
    if (!edgeSnappingEnabled_)
      return std::nullopt;
    if (p.x <= f.minX() + e)
      candidate = SnapPosition::leftHalf;
    else if (p.x >= f.maxX() - e)
      candidate = SnapPosition::rightHalf;
    else if (p.y >= f.maxY() - e)
      candidate = SnapPosition::fullScreen;
    else if (p.y <= f.minY() + e)
      candidate = SnapPosition::bottomHalf;
    else
      return std::nullopt;
  }
  if (!enabledPositions.contains(*candidate))
    return std::nullopt;
  return candidate;
}

}  // namespace dovrik
