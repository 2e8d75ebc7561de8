// Dovrik's own connection to the X server: atoms, the root window, the monitors, the
// translation between root coordinates and the core's spaces, and event delivery.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include <xcb/xcb.h>

#include "core/platform/Geometry.h"
#include "core/support/Signal.h"
#include "linux/x11/RandrMonitors.h"
#include "linux/x11/XAtoms.h"
#include "linux/x11/XReply.h"

namespace dovrik::x11 {

class XConnection {
 public:
  // Opens `displayName`, or $DISPLAY when it is null. A failed connection is kept (queries on
  // it answer nothing) so that the adapters degrade instead of failing to build.
  explicit XConnection(const char* displayName = nullptr);
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;
  ~XConnection();

  bool isConnected() const;
  // The display this connection was opened for; empty when none was named or set.
  const std::string& displayName() const { return displayName_; }
  xcb_connection_t* raw() const { return connection_; }
  xcb_window_t root() const { return root_; }
  const XAtoms& atoms() const { return atoms_; }
  int fd() const;

  // Primary first; cached until a RandR event or a root ConfigureNotify arrives.
  const std::vector<Monitor>& monitors();
  // Root coordinates of the primary monitor's top-left corner, the origin of accessibility
  // space; and its height, which places desktop space.
  Point primaryOrigin();
  double primaryHeight();
  // A rectangle in root coordinates carried to accessibility space (y down), and back.
  Rect rootToAccessibility(const Rect& rootRect);
  Rect accessibilityToRoot(const Rect& axRect);
  // A rectangle in root coordinates carried to desktop space (y up).
  Rect rootToDesktop(const Rect& rootRect);
  // Where the pointer is, in accessibility space; nothing when it is on another X screen or
  // the server does not answer. One round trip.
  std::optional<Point> pointerLocation();

  // Reads every event the server has sent and hands each to `events`, in order; answers how
  // many there were.
  std::size_t dispatchPending();
  // Whether events wait for dispatchPending (read already, or queued inside xcb).
  bool hasPendingEvents();
  // Reads what the server has sent so far into the buffer, so that a following waitUntil
  // shows only events that come after this moment.
  void bufferAvailableEvents();
  // Blocks until `condition` holds or `timeoutSeconds` pass, re-checking it whenever the server
  // sends something; `seen`, when given, looks at each event that arrives meanwhile. The events
  // are kept for the next dispatchPending, so no subscriber runs inside the wait. Answers
  // whether the condition came true.
  bool waitUntil(const std::function<bool()>& condition, double timeoutSeconds,
                 const std::function<void(const xcb_generic_event_t&)>& seen = nullptr);
  void flush();

  // Asks for a dispatchPending within `seconds` although the server may send nothing, for work
  // a subscriber put off; an earlier request stands. The loop that services the connection
  // honours it (XEventPump in the program).
  void wakeWithin(double seconds);
  // Seconds until the requested wake-up (0 once due); nothing when none is asked for.
  std::optional<double> untilWake() const;
  // Emitted by dispatchPending, after the events, once the requested moment has come.
  Signal<> woken;
  // While above 0, the loop that services the connection reads the server at most once per
  // this many seconds instead of at every event: during a drag the server sends a raw motion
  // event and the window manager's configure notices hundreds of times a second, and waking
  // for each costs more than all the handling.
  void setServiceInterval(double seconds) { serviceInterval_ = seconds; }
  double serviceInterval() const { return serviceInterval_; }

  // Reads an atom-typed property as 32-bit items; empty when absent, of another type than
  // `type` (unless ANY), or the window is gone.
  std::vector<std::uint32_t> cardinals(xcb_window_t window, xcb_atom_t property,
                                       xcb_atom_t type = XCB_ATOM_ANY);
  // A string-valued property as raw bytes and the type it came in; nothing when absent.
  std::optional<std::pair<std::string, xcb_atom_t>> text(xcb_window_t window, xcb_atom_t property);
  // How many property reads had to ask the server (the rest came from the cache).
  std::size_t propertyRoundTrips() const { return propertyRoundTrips_; }

  Signal<const xcb_generic_event_t&> events;

 private:
  struct PropertyValue {
    xcb_atom_t type = XCB_ATOM_NONE;
    std::uint8_t format = 0;
    std::string bytes;
  };
  // A property as the server holds it; nothing when absent or the window is gone. The first
  // read also asks for the window's property and structure events (one mask for every adapter,
  // since a new mask replaces the old), and from then on values are kept until a
  // PropertyNotify or DestroyNotify says they changed, so the snap path asks the server only
  // for what moves (geometry), not for what rarely does.
  std::optional<PropertyValue> property(xcb_window_t window, xcb_atom_t property);
  // Moves events from xcb into the buffer; answers how many came.
  std::size_t drainInto(bool readSocket);
  // Drops cached values an arriving event makes stale, before anyone can read them.
  void forgetStaleProperties(const xcb_generic_event_t& event);
  void noteOwnEvent(const xcb_generic_event_t& event);

  std::string displayName_;
  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = XCB_NONE;
  XAtoms atoms_;
  std::uint8_t randrEventBase_ = 0;
  bool randrPresent_ = false;
  std::optional<std::vector<Monitor>> monitors_;
  std::deque<XReply<xcb_generic_event_t>> buffered_;
  std::unordered_set<xcb_window_t> watched_;
  std::map<std::pair<xcb_window_t, xcb_atom_t>, std::optional<PropertyValue>> properties_;
  std::size_t propertyRoundTrips_ = 0;
  std::optional<std::chrono::steady_clock::time_point> wakeAt_;
  double serviceInterval_ = 0;
};

}  // namespace dovrik::x11
