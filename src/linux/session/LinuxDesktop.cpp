#include "linux/session/LinuxDesktop.h"

namespace dovrik {

LinuxDesktop detectLinuxDesktop(const SessionFacts& facts) {
  // A Wayland session may leave XDG_SESSION_TYPE unset when started by hand; its socket is the
  // surer sign. An X11 session that only inherited the variable has no socket to name.
  const bool wayland = !facts.waylandDisplay.empty() || facts.sessionType == "wayland";
  if (!wayland)
    return LinuxDesktop::x11;
  // sway names its socket to the programs it starts, and only to them.
  if (!facts.swaySocket.empty())
    return LinuxDesktop::sway;
  // KWin and GNOME Shell announce themselves on the session bus; the desktop's name alone would
  // also match a session whose compositor crashed and left it without one.
  if (facts.kwinOnSessionBus)
    return LinuxDesktop::kwin;
  return facts.gnomeShellOnSessionBus ? LinuxDesktop::gnome : LinuxDesktop::unsupportedWayland;
}

std::string linuxDesktopName(LinuxDesktop desktop) {
  switch (desktop) {
    case LinuxDesktop::x11:
      return "X11";
    case LinuxDesktop::kwin:
      return "Plasma (Wayland)";
    case LinuxDesktop::sway:
      return "sway (Wayland)";
    case LinuxDesktop::gnome:
      return "GNOME (Wayland)";
    case LinuxDesktop::unsupportedWayland:
      break;
  }
  return "Wayland (not supported yet)";
}

std::string unsupportedWaylandReason() {
  return "This Wayland desktop does not let Dovrik move windows yet. Dovrik works on KDE Plasma "
         "(Wayland or X11), on GNOME, on sway, and on any X11 desktop whose window manager "
         "supports EWMH "
         "(Xfce, "
         "Openbox, Fluxbox, …). Log out, pick one of those sessions at the login "
         "screen, and log in again.";
}

}  // namespace dovrik
