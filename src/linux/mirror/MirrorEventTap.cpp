// Turning the reported title-bar moves into left-button events.
#include "linux/mirror/MirrorEventTap.h"

#include <vector>

#include "linux/mirror/MirrorSpace.h"

namespace dovrik::mirror {

MirrorEventTap::MirrorEventTap(WindowMirror& mirror, bool followsWindowDrags)
    : mirror_(mirror), followsWindowDrags_(followsWindowDrags) {
  subscription_ = mirror_.moved.connect([this](MovePhase phase, WindowHandle) { moved(phase); });
}

MirrorEventTap::~MirrorEventTap() {
  mirror_.moved.disconnect(subscription_);
}

std::optional<EventTapRef> MirrorEventTap::install(TapCallback callback) {
  const EventTapRef ref = nextRef_++;
  taps_[ref] = Tap{std::move(callback), true};
  return ref;
}

void MirrorEventTap::setEnabled(EventTapRef tap, bool enabled) {
  const auto it = taps_.find(tap);
  if (it != taps_.end())
    it->second.enabled = enabled;
}

void MirrorEventTap::remove(EventTapRef tap) {
  taps_.erase(tap);
}

void MirrorEventTap::moved(MovePhase phase) {
  const auto cursor = mirror_.cursor();
  if (!cursor)
    return;
  const TapEvent event{phase == MovePhase::begin  ? TapEventType::leftMouseDown
                       : phase == MovePhase::step ? TapEventType::leftMouseDragged
                                                  : TapEventType::leftMouseUp,
                       MirrorSpace(mirror_.outputs()).toAccessibility(*cursor)};
  // A callback may remove its own tap or another: deliver to the ones installed now, if still
  // there and enabled.
  std::vector<EventTapRef> refs;
  for (const auto& [ref, tap] : taps_)
    refs.push_back(ref);
  for (const EventTapRef ref : refs) {
    const auto it = taps_.find(ref);
    if (it == taps_.end() || !it->second.enabled)
      continue;
    const TapCallback callback = it->second.callback;
    callback(event);
  }
}

}  // namespace dovrik::mirror
