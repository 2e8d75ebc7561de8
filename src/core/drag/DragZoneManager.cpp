// Loading, storing and hit-testing the drag zones.
#include "core/drag/DragZoneManager.h"

#include <utility>

namespace dovrik {
namespace {

constexpr const char* kEdgeSensitivity = "dz_edgeSensitivity";
constexpr const char* kCornerSensitivity = "dz_cornerSensitivity";
constexpr const char* kSnapDelay = "dz_snapDelay";
constexpr const char* kDragThreshold = "dz_dragThreshold";
constexpr const char* kCornerSnapping = "dz_cornerSnapping";
constexpr const char* kEdgeSnapping = "dz_edgeSnapping";
constexpr const char* kDragSnapping = "dz_dragSnapping";

}  // namespace

DragZoneManager::DragZoneManager(Defaults& defaults)
    : defaults_(defaults),
      edgeSensitivity_(defaults.doubleValue(kEdgeSensitivity).value_or(defaultEdgeSensitivity)),
      cornerSensitivity_(
          defaults.doubleValue(kCornerSensitivity).value_or(defaultCornerSensitivity)),
      snapDelay_(defaults.doubleValue(kSnapDelay).value_or(defaultSnapDelay)),
      dragThreshold_(defaults.doubleValue(kDragThreshold).value_or(defaultDragThreshold)),
      cornerSnappingEnabled_(defaults.boolValue(kCornerSnapping).value_or(true)),
      edgeSnappingEnabled_(defaults.boolValue(kEdgeSnapping).value_or(true)),
      dragSnappingEnabled_(defaults.boolValue(kDragSnapping).value_or(true)) {}

void DragZoneManager::store(const char* key, DefaultsValue value) {
  defaults_.set(key, std::move(value));
  changed.emit();
}

void DragZoneManager::setEdgeSensitivity(double value) {
  edgeSensitivity_ = value;
  store(kEdgeSensitivity, value);
}

void DragZoneManager::setCornerSensitivity(double value) {
  cornerSensitivity_ = value;
  store(kCornerSensitivity, value);
}

void DragZoneManager::setSnapDelay(double value) {
  snapDelay_ = value;
  store(kSnapDelay, value);
}

void DragZoneManager::setDragThreshold(double value) {
  dragThreshold_ = value;
  store(kDragThreshold, value);
}

void DragZoneManager::setCornerSnappingEnabled(bool value) {
  cornerSnappingEnabled_ = value;
  store(kCornerSnapping, value);
}

void DragZoneManager::setEdgeSnappingEnabled(bool value) {
  edgeSnappingEnabled_ = value;
  store(kEdgeSnapping, value);
}

void DragZoneManager::setDragSnappingEnabled(bool value) {
  dragSnappingEnabled_ = value;
  store(kDragSnapping, value);
}

void DragZoneManager::reset() {
  setEdgeSensitivity(defaultEdgeSensitivity);
  setCornerSensitivity(defaultCornerSensitivity);
  setSnapDelay(defaultSnapDelay);
  setDragThreshold(defaultDragThreshold);
  setCornerSnappingEnabled(true);
  setEdgeSnappingEnabled(true);
  setDragSnappingEnabled(true);
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
