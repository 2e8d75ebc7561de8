// Turning the script's title-bar moves into left-button events.
#include "linux/kwin/KWinEventTap.h"

#include <vector>

#include "linux/kwin/KWinSpace.h"

namespace dovrik::kwin {

KWinEventTap::KWinEventTap(KWinMirror& mirror) : mirror_(mirror) {
  subscription_ =
      mirror_.moved.connect([this](MoveMessage::Phase phase, WindowHandle) { moved(phase); });
}

KWinEventTap::~KWinEventTap() {
  mirror_.moved.disconnect(subscription_);
}

std::optional<EventTapRef> KWinEventTap::install(TapCallback callback) {
  const EventTapRef ref = nextRef_++;
  taps_[ref] = Tap{std::move(callback), true};
  return ref;
}

void KWinEventTap::setEnabled(EventTapRef tap, bool enabled) {
  const auto it = taps_.find(tap);
  if (it != taps_.end())
    it->second.enabled = enabled;
}

void KWinEventTap::remove(EventTapRef tap) {
  taps_.erase(tap);
}

void KWinEventTap::moved(MoveMessage::Phase phase) {
  const auto cursor = mirror_.cursor();
  if (!cursor)
    return;
  const TapEvent event{phase == MoveMessage::Phase::begin  ? TapEventType::leftMouseDown
                       : phase == MoveMessage::Phase::step ? TapEventType::leftMouseDragged
                                                           : TapEventType::leftMouseUp,
                       KWinSpace(mirror_.outputs()).toAccessibility(*cursor)};
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

}  // namespace dovrik::kwin
