// A listen-only monitor of the mouse buttons over the whole desktop: it sees the left button's
// presses, drags and releases and the right button's presses in every application, and never
// alters or consumes them. Several taps may be installed; each sees every event.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "core/platform/Geometry.h"

namespace dovrik {

enum class TapEventType {
  leftMouseDown,
  leftMouseDragged,
  leftMouseUp,
  rightMouseDown,
  // The system switched the tap off because a callback was too slow, or because of user
  // input; the tap stays off until it is enabled again.
  tapDisabledByTimeout,
  tapDisabledByUserInput,
};

struct TapEvent {
  TapEventType type = TapEventType::leftMouseDown;
  // Pointer location in accessibility space (origin at the primary screen's top-left, y down).
  Point location;
  friend bool operator==(const TapEvent&, const TapEvent&) = default;
};

using EventTapRef = std::uint64_t;
using TapCallback = std::function<void(const TapEvent&)>;

class EventTap {
 public:
  virtual ~EventTap() = default;
  // Whether the events show a window being dragged by its title bar. Some desktops tell other
  // programs neither the buttons nor the moves; a tap installed there would hear nothing, so
  // drag snapping is not offered at all.
  virtual bool followsWindowDrags() const = 0;
  // Installs an enabled tap whose events reach `callback` on the main thread. Nothing when
  // the system refuses it.
  virtual std::optional<EventTapRef> install(TapCallback callback) = 0;
  virtual void setEnabled(EventTapRef tap, bool enabled) = 0;
  // No event reaches the callback afterwards.
  virtual void remove(EventTapRef tap) = 0;
};

}  // namespace dovrik
