// The Accessibility port on X11: application and window elements over EWMH/ICCCM. Positions
// and sizes are those of the visible outer frame, in accessibility space.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include <xcb/xcb.h>

#include "core/platform/Accessibility.h"
#include "linux/x11/ActiveWindow.h"
#include "linux/x11/AppDirectory.h"
#include "linux/x11/ClientWindows.h"
#include "linux/x11/FrameMover.h"
#include "linux/x11/I3Placement.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class X11Accessibility : public Accessibility {
 public:
  X11Accessibility(XConnection& connection, ClientWindows& clients, ActiveWindow& activeWindow,
                   AppDirectory& apps, FrameMover& mover, I3Placement& i3);
  X11Accessibility(const X11Accessibility&) = delete;
  X11Accessibility& operator=(const X11Accessibility&) = delete;
  ~X11Accessibility() override;

  // Trusted means: the display answers and an EWMH window manager runs.
  bool isProcessTrusted() override;
  // Window managers come and go with events on the root window.
  bool announcesTrustChanges() const override { return true; }
  // Tells on standard error why windows cannot be controlled.
  void promptForTrust() override;
  AXElement applicationElement(ProcessId pid) override;
  AXElement systemWideElement() override;
  void setMessagingTimeout(AXElement element, double seconds) override;
  std::optional<AXElement> elementAtPosition(AXElement systemWide, Point point) override;
  std::optional<AXValue> copyAttribute(AXElement element, AXAttribute attribute) override;
  // One round trip: the outer frame.
  std::optional<Rect> copyFrame(AXElement window) override;
  // One move-and-resize request to the window manager; under i3, one command over its socket.
  void setFrame(AXElement window, const Rect& frame) override;

  // Element handles: the kind in the top bits, the process id or window id below.
  static AXElement windowElement(xcb_window_t window);
  static std::optional<xcb_window_t> windowOf(AXElement element);
  static std::optional<ProcessId> processOf(AXElement element);

  // Why Dovrik cannot control windows here; empty when it can.
  std::string untrustedReason() override;
  // No desktop asks the user before a client moves another's windows over X11.
  bool hasPermissionSettings() const override { return false; }

  // In a session whose windows Dovrik cannot move (a Wayland desktop it does not drive), the
  // X server it reaches is only the compatibility one: nothing is trusted, for `reason`.
  void refuseSession(std::string reason) { refusal_ = std::move(reason); }

 private:
  std::optional<AXValue> appAttribute(ProcessId pid, AXAttribute attribute);
  std::optional<AXValue> windowAttribute(xcb_window_t window, AXAttribute attribute);

  XConnection& x_;
  std::string refusal_;
  ClientWindows& clients_;
  ActiveWindow& activeWindow_;
  AppDirectory& apps_;
  FrameMover& mover_;
  I3Placement& i3_;
  Signal<const xcb_generic_event_t&>::Connection subscription_ = 0;
};

}  // namespace dovrik::x11
