// How the snap preview looks, for desktops whose own surfaces show it.
#pragma once

#include <functional>

#include "core/platform/OverlaySurface.h"

class QPainter;
class QSize;

namespace dovrik {

// The views own the look; the desktop's surface paints with it.
struct PreviewLook {
  // Paints the content, fully opaque, into a picture of the given size.
  std::function<void(QPainter&, const QSize&, const OverlayContent&)> paint;
  // How far along a curve an animation is at a progress (both from 0 to 1).
  std::function<double(AnimationCurve, double)> easing;
};

}  // namespace dovrik
