// The one snap preview: shows the target frame of a position with a short fade, and hides it
// with or without one. A token guards against a stale fade-out hiding a newer preview.
#pragma once

#include <cstdint>

#include "core/model/AppState.h"
#include "core/model/SnapPosition.h"
#include "core/platform/OverlaySurface.h"
#include "core/platform/Screens.h"
#include "core/support/Lifetime.h"

namespace dovrik {

class SnapOverlayWindow {
 public:
  static constexpr double fadeInSeconds = 0.15;
  static constexpr double fadeOutSeconds = 0.2;

  SnapOverlayWindow(OverlaySurface& surface, AppState& appState);
  SnapOverlayWindow(const SnapOverlayWindow&) = delete;
  SnapOverlayWindow& operator=(const SnapOverlayWindow&) = delete;

  // Shows the preview at the target frame of `position` on `screen`, or moves it there and
  // fades it back up from its current alpha. Does nothing while previews are switched off.
  // The preview settings are read afresh on every call.
  void show(SnapPosition position, const Screen& screen);
  // Hides a visible preview: at once, or after a fade-out that a later show or hide cancels.
  // The alpha is left at 1.0 once the window is out.
  void hide(bool animated);

  bool isVisible() const { return surface_.isVisible(); }
  // Moves on with every show and with every hide of a visible preview.
  std::int64_t transitionToken() const { return transitionToken_; }

 private:
  OverlaySurface& surface_;
  AppState& appState_;
  std::int64_t transitionToken_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik
