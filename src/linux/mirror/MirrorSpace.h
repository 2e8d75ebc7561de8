// KWin's global coordinates and the core's two spaces. KWin's are top-left origin, y down, like
// accessibility space, but their origin need not be the primary output's corner; desktop space
// is flipped about the primary output's height. The primary output is the first the script
// lists: KWin orders outputs by the user's priority.
#pragma once

#include <vector>

#include "core/platform/Geometry.h"
#include "linux/kwin/KWinWindow.h"

namespace dovrik::kwin {

class KWinSpace {
 public:
  explicit KWinSpace(const std::vector<KWinOutput>& outputs);

  Rect toAccessibility(const Rect& kwin) const;
  Point toAccessibility(Point kwin) const;
  Rect fromAccessibility(const Rect& ax) const;
  Rect toDesktop(const Rect& kwin) const;
  Point toDesktop(Point kwin) const;

 private:
  Point origin_;
  double primaryHeight_ = 0;
};

}  // namespace dovrik::kwin
