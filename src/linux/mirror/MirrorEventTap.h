// The EventTap port over a mirrored compositor: Wayland compositors show no client the
// pointer's buttons, but some report every title-bar move, which is the drag Dovrik watches. A
// move's start, steps and end come out as the left button's press, drags and release at the
// pointer; right-button presses and drags elsewhere are not seen.
#pragma once

#include <map>
#include <optional>

#include "core/platform/EventTap.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::mirror {

class MirrorEventTap : public EventTap {
 public:
  // `followsWindowDrags`: the compositor reports title-bar moves and the pointer with them.
  // Where it does not, the tap still installs, and hears nothing.
  MirrorEventTap(WindowMirror& mirror, bool followsWindowDrags);
  MirrorEventTap(const MirrorEventTap&) = delete;
  MirrorEventTap& operator=(const MirrorEventTap&) = delete;
  ~MirrorEventTap() override;

  bool followsWindowDrags() const override { return followsWindowDrags_; }
  std::optional<EventTapRef> install(TapCallback callback) override;
  void setEnabled(EventTapRef tap, bool enabled) override;
  void remove(EventTapRef tap) override;

 private:
  void moved(MovePhase phase);

  WindowMirror& mirror_;
  bool followsWindowDrags_;
  struct Tap {
    TapCallback callback;
    bool enabled = true;
  };
  std::map<EventTapRef, Tap> taps_;
  EventTapRef nextRef_ = 1;
  Signal<MovePhase, WindowHandle>::Connection subscription_ = 0;
};

}  // namespace dovrik::mirror
