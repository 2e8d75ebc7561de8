// Moving rectangles and points between the mirror's coordinates and the core's.
#include "linux/mirror/MirrorSpace.h"

#include "core/windows/ScreenGeometry.h"

namespace dovrik::mirror {

MirrorSpace::MirrorSpace(const std::vector<MirroredOutput>& outputs) {
  if (outputs.empty())
    return;
  origin_ = outputs.front().geometry.origin();
  primaryHeight_ = outputs.front().geometry.height;
}

Rect MirrorSpace::toAccessibility(const Rect& r) const {
  return {r.x - origin_.x, r.y - origin_.y, r.width, r.height};
}

Point MirrorSpace::toAccessibility(Point p) const {
  return {p.x - origin_.x, p.y - origin_.y};
}

Rect MirrorSpace::fromAccessibility(const Rect& r) const {
  return {r.x + origin_.x, r.y + origin_.y, r.width, r.height};
}

Rect MirrorSpace::toDesktop(const Rect& r) const {
  return flipRect(toAccessibility(r), primaryHeight_);
}

Point MirrorSpace::toDesktop(Point p) const {
  return flipPoint(toAccessibility(p), primaryHeight_);
}

}  // namespace dovrik::mirror
