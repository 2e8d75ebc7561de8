// Which desktop a Linux session runs, decided once at start from what the session tells about
// itself, and the words Dovrik uses for it.
#pragma once

#include <string>

namespace dovrik {

enum class LinuxDesktop {
  x11,                 // an X11 session with any EWMH window manager
  kwin,                // Plasma's Wayland session
  sway,                // sway, or another wlroots compositor that speaks i3's IPC
  gnome,               // GNOME's Wayland session
  unsupportedWayland,  // a Wayland session whose compositor Dovrik cannot drive yet
};

struct SessionFacts {
  std::string sessionType;     // $XDG_SESSION_TYPE
  std::string waylandDisplay;  // $WAYLAND_DISPLAY
  bool kwinOnSessionBus = false;
  std::string swaySocket;  // $SWAYSOCK
  bool gnomeShellOnSessionBus = false;
};

LinuxDesktop detectLinuxDesktop(const SessionFacts& facts);

// How `dovrik onboarding` and the logs name the desktop.
std::string linuxDesktopName(LinuxDesktop desktop);

// Why windows cannot be moved in a Wayland session Dovrik does not support, naming the
// desktops it does support.
std::string unsupportedWaylandReason();

}  // namespace dovrik
