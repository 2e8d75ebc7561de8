// The simulated mouse-button monitor.
#include "sim/SimEventTap.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace dovrik::sim {

std::optional<EventTapRef> SimEventTap::install(TapCallback callback) {
  ++installAttempts;
  if (refusals != 0) {
    if (refusals > 0)
      --refusals;
    return std::nullopt;
  }
  const EventTapRef ref = nextRef_++;
  taps_[ref] = Tap{std::move(callback), true};
  return ref;
}

void SimEventTap::setEnabled(EventTapRef tap, bool enabled) {
  const auto it = taps_.find(tap);
  if (it == taps_.end())
    return;
  it->second.enabled = enabled;
  if (enabled)
    ++enableCalls;
}

void SimEventTap::remove(EventTapRef tap) {
  taps_.erase(tap);
}

bool SimEventTap::isEnabled() const {
  return std::any_of(taps_.begin(), taps_.end(),
                     [](const auto& entry) { return entry.second.enabled; });
}

bool SimEventTap::inject(TapEventType type, Point location) {
  if (!isEnabled())
    return false;
  deliver({type, location}, true);
  return true;
}

void SimEventTap::disableBySystem(TapEventType reason) {
  for (auto& [ref, tap] : taps_)
    tap.enabled = false;
  deliver({reason, {}}, false);
}

void SimEventTap::deliver(const TapEvent& event, bool onlyEnabled) {
  std::vector<std::pair<EventTapRef, TapCallback>> receivers;
  for (const auto& [ref, tap] : taps_) {
    if (!onlyEnabled || tap.enabled)
      receivers.emplace_back(ref, tap.callback);
  }
  for (const auto& [ref, callback] : receivers) {
    // A tap removed by an earlier callback hears nothing more.
    if (taps_.count(ref))
      callback(event);
  }
}

}  // namespace dovrik::sim
