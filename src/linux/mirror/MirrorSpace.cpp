// Moving rectangles and points between KWin's coordinates and the core's.
#include "linux/kwin/KWinSpace.h"

#include "core/windows/ScreenGeometry.h"

namespace dovrik::kwin {

KWinSpace::KWinSpace(const std::vector<KWinOutput>& outputs) {
  if (outputs.empty())
    return;
  origin_ = outputs.front().geometry.origin();
  primaryHeight_ = outputs.front().geometry.height;
}

Rect KWinSpace::toAccessibility(const Rect& r) const {
  return {r.x - origin_.x, r.y - origin_.y, r.width, r.height};
}

Point KWinSpace::toAccessibility(Point p) const {
  return {p.x - origin_.x, p.y - origin_.y};
}

Rect KWinSpace::fromAccessibility(const Rect& r) const {
  return {r.x + origin_.x, r.y + origin_.y, r.width, r.height};
}

Rect KWinSpace::toDesktop(const Rect& r) const {
  return flipRect(toAccessibility(r), primaryHeight_);
}

Point KWinSpace::toDesktop(Point p) const {
  return flipPoint(toAccessibility(p), primaryHeight_);
}

}  // namespace dovrik::kwin
