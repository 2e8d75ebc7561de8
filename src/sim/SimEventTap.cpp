// The simulated left-button monitor.
#include "sim/SimEventTap.h"

#include <utility>

namespace dovrik::sim {

std::optional<EventTapRef> SimEventTap::install(TapCallback callback) {
  ++installAttempts;
  if (refusals != 0) {
    if (refusals > 0)
      --refusals;
    return std::nullopt;
  }
  // One tap at a time is all the core ever asks for; a second would hide a missing remove.
  if (installed_)
    return std::nullopt;
  installed_ = nextRef_++;
  callback_ = std::move(callback);
  enabled_ = true;
  return installed_;
}

void SimEventTap::setEnabled(EventTapRef tap, bool enabled) {
  if (installed_ != tap)
    return;
  enabled_ = enabled;
  if (enabled)
    ++enableCalls;
}

void SimEventTap::remove(EventTapRef tap) {
  if (installed_ != tap)
    return;
  installed_.reset();
  callback_ = nullptr;
  enabled_ = false;
}

bool SimEventTap::inject(TapEventType type, Point location) {
  if (!isEnabled())
    return false;
  // A copy: the callback may remove the tap while it runs.
  const TapCallback callback = callback_;
  callback({type, location});
  return true;
}

void SimEventTap::disableBySystem(TapEventType reason) {
  if (!isInstalled())
    return;
  enabled_ = false;
  const TapCallback callback = callback_;
  callback({reason, {}});
}

}  // namespace dovrik::sim
