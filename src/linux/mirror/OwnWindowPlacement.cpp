#include "linux/mirror/OwnWindowPlacement.h"

#include <utility>

#include "core/windows/PlacedFrames.h"

namespace dovrik::mirror {

OwnWindowPlacement::OwnWindowPlacement(WindowMirror& mirror, WindowControl& control,
                                       ProcessId ownPid,
                                       std::function<Rect(const Rect&)> toCompositor)
    : mirror_(mirror),
      control_(control),
      ownPid_(ownPid),
      toCompositor_(std::move(toCompositor)),
      addedSubscription_(mirror.windowAdded.connect(
          [this](const MirroredWindow& window) { placeIfPending(window); })),
      // A Wayland window may be reported before its client has named it.
      changedSubscription_(mirror.windowChanged.connect([this](const MirroredWindow& window) {
        // In this order: a window placed on this report has not had its chance to move yet.
        holdPlacement(window);
        placeIfPending(window);
      })) {}

OwnWindowPlacement::~OwnWindowPlacement() {
  mirror_.windowAdded.disconnect(addedSubscription_);
  mirror_.windowChanged.disconnect(changedSubscription_);
}

void OwnWindowPlacement::placeIfPending(const MirroredWindow& window) {
  if (pending_ && isOwnWindowTitled(window, pending_->title)) {
    const PendingPlacement placement = *std::exchange(pending_, std::nullopt);
    place(window.id, placement.desktopFrame);
  }
}

bool OwnWindowPlacement::isOwnWindowTitled(const MirroredWindow& window,
                                           const std::string& title) const {
  // Qt tells some compositors the title with the application's name after it:
  // "Dovrik Clipboard History — Dovrik".
  const std::string named = title + " \u2014 ";
  return window.pid == ownPid_ && (window.caption == title || window.caption.starts_with(named));
}

void OwnWindowPlacement::present(const std::string& title, const Rect& desktopFrame) {
  pending_.reset();
  if (const auto active = mirror_.active()) {
    const MirroredWindow* window = mirror_.window(*active);
    if (window && window->pid != ownPid_)
      keyboardBefore_ = window->id;
  }
  for (const WindowHandle handle : mirror_.windows()) {
    const MirroredWindow* window = mirror_.window(handle);
    if (window && isOwnWindowTitled(*window, title)) {
      place(window->id, desktopFrame);
      return;
    }
  }
  pending_ = PendingPlacement{title, desktopFrame};
}

void OwnWindowPlacement::place(const std::string& id, const Rect& desktopFrame) {
  const Rect frame = toCompositor_(desktopFrame);
  placed_ = Placed{id, frame, placementRetries};
  control_.setFrame(id, frame);
  control_.activate(id);
}

void OwnWindowPlacement::holdPlacement(const MirroredWindow& window) {
  if (!placed_ || window.id != placed_->id)
    return;
  const Rect& asked = placed_->frame;
  if (hasTakenFrame(window.frame, asked) || placed_->retriesLeft-- <= 0)
    return;
  control_.setFrame(window.id, asked);
}

void OwnWindowPlacement::returnKeyboard() {
  pending_.reset();
  placed_.reset();
  if (!keyboardBefore_.empty() && mirror_.handleOf(keyboardBefore_))
    control_.activate(std::exchange(keyboardBefore_, {}));
}

}  // namespace dovrik::mirror
