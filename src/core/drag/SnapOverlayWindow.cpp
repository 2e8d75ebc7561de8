// Fades and the transition token of the snap preview.
#include "core/drag/SnapOverlayWindow.h"

#include "core/windows/SnapFrames.h"

namespace dovrik {

SnapOverlayWindow::SnapOverlayWindow(OverlaySurface& surface, AppState& appState)
    : surface_(surface), appState_(appState) {}

void SnapOverlayWindow::show(SnapPosition position, const Screen& screen) {
  if (!appState_.showSnapPreview())
    return;
  ++transitionToken_;
  // The frame the drop will give the window, gap included.
  surface_.setFrame(snapFrame(position, screen.visibleFrame, usableSnapGap(appState_.snapGap())));
  surface_.setContent({appState_.previewOpacity(), appState_.useRoundedCorners()});
  // Every appearance starts with a fade-in from nothing.
  if (!surface_.isVisible()) {
    surface_.setAlpha(0);
    surface_.orderFront();
  }
  surface_.animateAlpha(1.0, fadeInSeconds, AnimationCurve::easeOut, nullptr);
}

void SnapOverlayWindow::hide(bool animated) {
  if (!surface_.isVisible())
    return;
  const std::int64_t token = ++transitionToken_;
  if (!animated) {
    surface_.orderOut();
    surface_.setAlpha(1.0);
    return;
  }
  surface_.animateAlpha(0.0, fadeOutSeconds, AnimationCurve::easeIn, lifetime_.guard([this, token] {
    // A show or another hide since then owns the window now.
    if (transitionToken_ != token)
      return;
    surface_.orderOut();
    surface_.setAlpha(1.0);
  }));
}

}  // namespace dovrik
