// The mirror's coordinates (the compositor's global ones) and the core's two spaces. The
// mirror's are top-left origin, y down, like accessibility space, but their origin need not be
// the primary output's corner; desktop space is flipped about the primary output's height. The
// primary output is the first the mirror lists.
#pragma once

#include <vector>

#include "core/platform/Geometry.h"
#include "linux/mirror/MirroredWindow.h"

namespace dovrik::mirror {

class MirrorSpace {
 public:
  explicit MirrorSpace(const std::vector<MirroredOutput>& outputs);

  Rect toAccessibility(const Rect& mirrored) const;
  Point toAccessibility(Point mirrored) const;
  Rect fromAccessibility(const Rect& ax) const;
  Rect toDesktop(const Rect& mirrored) const;
  Point toDesktop(Point mirrored) const;

 private:
  Point origin_;
  double primaryHeight_ = 0;
};

}  // namespace dovrik::mirror
