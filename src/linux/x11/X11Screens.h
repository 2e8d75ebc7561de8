// The Screens port on X11: RandR monitors in desktop space, each with its own usable area.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Screens.h"
#include "linux/x11/ActiveWindow.h"
#include "linux/x11/ClientWindows.h"
#include "linux/x11/I3Placement.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class X11Screens : public Screens {
 public:
  X11Screens(XConnection& connection, ClientWindows& clients, ActiveWindow& activeWindow,
             I3Placement& i3);
  X11Screens(const X11Screens&) = delete;
  X11Screens& operator=(const X11Screens&) = delete;
  ~X11Screens() override;

  // The primary monitor first, then the others in RandR's order, each with its display UUID.
  // Cached until the monitors, the docks or their reservations change; `changed` follows every
  // change of the monitors, after the cache is dropped. Under i3 the usable areas are i3's
  // answers, which no X event announces, so they are asked for each time.
  std::vector<Screen> screens() override;
  // The screen holding the active window, else the primary.
  std::optional<Screen> mainScreen() override;
  std::optional<Point> mouseLocation() override;

 private:
  std::vector<Screen> build();
  // One per monitor of the connection, in its order. Read again only when the monitors change
  // or an EDID does, since docks come and go far more often than monitors do.
  const std::vector<std::string>& displayUuids();
  void noteEvent(const xcb_generic_event_t& event);
  // Whether the event says monitors came, went, moved or changed mode or identity.
  bool changesMonitors(const xcb_generic_event_t& event) const;

  XConnection& x_;
  ClientWindows& clients_;
  ActiveWindow& activeWindow_;
  I3Placement& i3_;
  std::optional<std::vector<Screen>> cache_;
  struct Identities {
    std::vector<Monitor> monitors;
    std::vector<std::string> uuids;
  };
  std::optional<Identities> identities_;
  Signal<const xcb_generic_event_t&>::Connection subscription_;
};

}  // namespace dovrik::x11
