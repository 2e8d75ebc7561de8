// The borderless, click-through window that shows the snap preview. The core drives it; the
// view paints its content and decides nothing.
#pragma once

#include <functional>

#include "core/platform/Geometry.h"
#include "core/theme/Animation.h"

namespace dovrik {

// What the preview paints: a box in the accent colour.
struct OverlayContent {
  double opacity = 0;  // of the fill
  bool roundedCorners = true;
  friend bool operator==(const OverlayContent&, const OverlayContent&) = default;
};

class OverlaySurface {
 public:
  virtual ~OverlaySurface() = default;
  // The window's frame in desktop space (origin at the primary screen's bottom-left, y up).
  virtual void setFrame(const Rect& desktopFrame) = 0;
  virtual void setContent(const OverlayContent& content) = 0;
  virtual bool isVisible() const = 0;
  // At once, stopping a running alpha animation (whose completion still runs).
  virtual void setAlpha(double alpha) = 0;
  // Above other windows, without taking the focus.
  virtual void orderFront() = 0;
  virtual void orderOut() = 0;
  // Takes the alpha from its current value to `target` over `seconds`, replacing any running
  // alpha animation. `completion` runs on the main thread once `seconds` have passed, even if
  // the animation was replaced in the meantime.
  virtual void animateAlpha(double target, double seconds, AnimationCurve curve,
                            std::function<void()> completion) = 0;
};

}  // namespace dovrik
