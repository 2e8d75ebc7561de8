// The simulated left-button monitor: refuses installation on demand and delivers injected
// events to the installed tap while it is enabled.
#pragma once

#include <optional>

#include "core/platform/EventTap.h"

namespace dovrik::sim {

class SimEventTap : public EventTap {
 public:
  std::optional<EventTapRef> install(TapCallback callback) override;
  void setEnabled(EventTapRef tap, bool enabled) override;
  void remove(EventTapRef tap) override;

  // Delivers a button event to the installed, enabled tap; false when nothing received it.
  bool inject(TapEventType type, Point location);
  // The system switches the tap off and tells its owner why.
  void disableBySystem(TapEventType reason);

  bool isInstalled() const { return installed_.has_value(); }
  bool isEnabled() const { return isInstalled() && enabled_; }

  // The next this many installations are refused; negative refuses every one.
  int refusals = 0;
  int installAttempts = 0;
  int enableCalls = 0;

 private:
  std::optional<EventTapRef> installed_;
  TapCallback callback_;
  bool enabled_ = false;
  EventTapRef nextRef_ = 1;
};

}  // namespace dovrik::sim
