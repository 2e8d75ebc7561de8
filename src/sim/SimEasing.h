// Where simulated windows are along an animation: simple quadratic stand-ins for the toolkit's
// timing curves, so tests can read plausible in-between values.
#pragma once

#include "core/theme/Animation.h"

namespace dovrik::sim {

// Progress 0 to 1 at time fraction `t` (0 to 1).
inline double eased(AnimationCurve curve, double t) {
  switch (curve) {
    case AnimationCurve::easeIn:
      return t * t;
    case AnimationCurve::easeOut:
      return 1 - (1 - t) * (1 - t);
    case AnimationCurve::easeInOut:
      break;
  }
  return t < 0.5 ? 2 * t * t : 1 - 2 * (1 - t) * (1 - t);
}

}  // namespace dovrik::sim
