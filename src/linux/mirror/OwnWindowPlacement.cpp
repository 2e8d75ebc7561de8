#include "linux/mirror/OwnWindowPlacement.h"

#include <utility>

namespace dovrik::mirror {

OwnWindowPlacement::OwnWindowPlacement(WindowMirror& mirror, WindowControl& control,
                                       ProcessId ownPid,
                                       std::function<Rect(const Rect&)> toCompositor)
    : mirror_(mirror),
      control_(control),
      ownPid_(ownPid),
      toCompositor_(std::move(toCompositor)),
      addedSubscription_(mirror.windowAdded.connect([this](const MirroredWindow& window) {
        if (pending_ && isOwnWindowTitled(window, pending_->title)) {
          const PendingPlacement placement = *std::exchange(pending_, std::nullopt);
          place(window.id, placement.desktopFrame);
        }
      })) {}

OwnWindowPlacement::~OwnWindowPlacement() {
  mirror_.windowAdded.disconnect(addedSubscription_);
}

bool OwnWindowPlacement::isOwnWindowTitled(const MirroredWindow& window,
                                           const std::string& title) const {
  return window.pid == ownPid_ && window.caption == title;
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
  control_.setFrame(id, toCompositor_(desktopFrame));
  control_.activate(id);
}

void OwnWindowPlacement::returnKeyboard() {
  pending_.reset();
  if (!keyboardBefore_.empty() && mirror_.handleOf(keyboardBefore_))
    control_.activate(std::exchange(keyboardBefore_, {}));
}

}  // namespace dovrik::mirror
