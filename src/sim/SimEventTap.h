// The simulated mouse-button monitor: refuses installation on demand and delivers injected
// events to every installed tap that is enabled.
#pragma once

#include <map>
#include <optional>

#include "core/platform/EventTap.h"

namespace dovrik::sim {

class SimEventTap : public EventTap {
 public:
  bool followsWindowDrags() const override { return followsDrags; }
  std::optional<EventTapRef> install(TapCallback callback) override;
  void setEnabled(EventTapRef tap, bool enabled) override;
  void remove(EventTapRef tap) override;

  // Delivers a button event to every installed, enabled tap; false when none received it.
  bool inject(TapEventType type, Point location);
  // The system switches every tap off and tells each owner why.
  void disableBySystem(TapEventType reason);

  bool isInstalled() const { return !taps_.empty(); }
  bool isEnabled() const;
  std::size_t installedCount() const { return taps_.size(); }

  // False plays a desktop that reports no window drags.
  bool followsDrags = true;
  // The next this many installations are refused; negative refuses every one.
  int refusals = 0;
  int installAttempts = 0;
  int enableCalls = 0;

 private:
  struct Tap {
    TapCallback callback;
    bool enabled = true;
  };
  // Delivers to a copy of the list: a callback may install or remove taps while it runs.
  void deliver(const TapEvent& event, bool onlyEnabled);

  std::map<EventTapRef, Tap> taps_;
  EventTapRef nextRef_ = 1;
};

}  // namespace dovrik::sim
