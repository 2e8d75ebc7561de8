// Alpha animations of the simulated preview window in virtual time.
#include "sim/SimOverlaySurface.h"

#include "sim/SimEasing.h"

#include <algorithm>
#include <utility>

namespace dovrik::sim {

double SimOverlaySurface::alpha() const {
  if (!running_)
    return alpha_;
  const Animation& a = animations[*running_];
  const double t = a.seconds > 0 ? std::clamp((clock_.now() - a.start) / a.seconds, 0.0, 1.0) : 1;
  return a.from + (a.to - a.from) * eased(a.curve, t);
}

void SimOverlaySurface::setAlpha(double alpha) {
  running_.reset();
  alpha_ = alpha;
}

void SimOverlaySurface::orderFront() {
  ++orderFrontCount;
  visible_ = true;
}

void SimOverlaySurface::orderOut() {
  ++orderOutCount;
  visible_ = false;
}

void SimOverlaySurface::animateAlpha(double target, double seconds, AnimationCurve curve,
                                     std::function<void()> completion) {
  alpha_ = alpha();
  animations.push_back({alpha_, target, clock_.now(), seconds, curve});
  const std::size_t index = animations.size() - 1;
  running_ = index;
  clock_.after(seconds, lifetime_.guard([this, index, target, completion = std::move(completion)] {
    if (running_ == index) {
      running_.reset();
      alpha_ = target;
    }
    if (completion)
      completion();
  }));
}

}  // namespace dovrik::sim
