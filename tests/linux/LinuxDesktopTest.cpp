#include "linux/session/LinuxDesktop.h"

#include <gtest/gtest.h>

namespace dovrik {
namespace {

TEST(LinuxDesktopTest, AnX11SessionIsX11EvenWithKWinOnTheBus) {
  // Plasma's X11 session runs KWin too; its windows are moved through X11 there.
  EXPECT_EQ(
      detectLinuxDesktop(
          {.sessionType = "x11", .waylandDisplay = "", .kwinOnSessionBus = true, .swaySocket = ""}),
      LinuxDesktop::x11);
  EXPECT_EQ(detectLinuxDesktop({}), LinuxDesktop::x11);
}

TEST(LinuxDesktopTest, AWaylandSessionIsKnownByItsSocketOrItsType) {
  EXPECT_EQ(detectLinuxDesktop({.sessionType = "",
                                .waylandDisplay = "wayland-0",
                                .kwinOnSessionBus = true,
                                .swaySocket = ""}),
            LinuxDesktop::kwin);
  EXPECT_EQ(detectLinuxDesktop({.sessionType = "wayland",
                                .waylandDisplay = "",
                                .kwinOnSessionBus = true,
                                .swaySocket = ""}),
            LinuxDesktop::kwin);
  EXPECT_EQ(detectLinuxDesktop({.sessionType = "wayland",
                                .waylandDisplay = "wayland-0",
                                .kwinOnSessionBus = false,
                                .swaySocket = ""}),
            LinuxDesktop::unsupportedWayland);
}

// sway's socket decides, even where a KWin left on the bus from another session answers.
TEST(LinuxDesktopTest, ASwaySessionIsKnownByTheSocketSwayNames) {
  EXPECT_EQ(detectLinuxDesktop({.sessionType = "wayland",
                                .waylandDisplay = "wayland-1",
                                .kwinOnSessionBus = true,
                                .swaySocket = "/run/user/1000/sway-ipc.sock"}),
            LinuxDesktop::sway);
  // An X11 session started from sway's terminal inherits the variable, not the compositor.
  EXPECT_EQ(detectLinuxDesktop({.sessionType = "x11",
                                .waylandDisplay = "",
                                .kwinOnSessionBus = false,
                                .swaySocket = "/run/user/1000/sway-ipc.sock"}),
            LinuxDesktop::x11);
}

// GNOME Shell on the bus makes a Wayland session GNOME's; KWin wins where both answer, as in a
// Plasma session that also started a Shell.
TEST(LinuxDesktopTest, AGnomeSessionIsKnownByTheShellOnTheBus) {
  SessionFacts gnome{.sessionType = "wayland",
                     .waylandDisplay = "wayland-0",
                     .kwinOnSessionBus = false,
                     .swaySocket = "",
                     .gnomeShellOnSessionBus = true};
  EXPECT_EQ(detectLinuxDesktop(gnome), LinuxDesktop::gnome);
  SessionFacts both = gnome;
  both.kwinOnSessionBus = true;
  EXPECT_EQ(detectLinuxDesktop(both), LinuxDesktop::kwin);
  SessionFacts x11 = gnome;
  x11.sessionType = "x11";
  x11.waylandDisplay = "";
  EXPECT_EQ(detectLinuxDesktop(x11), LinuxDesktop::x11);
}

TEST(LinuxDesktopTest, TheRefusalOfAnUnsupportedDesktopNamesTheSupportedOnes) {
  const std::string reason = unsupportedWaylandReason();
  EXPECT_NE(reason.find("Plasma"), std::string::npos);
  EXPECT_NE(reason.find("X11"), std::string::npos);
  EXPECT_NE(reason.find("sway"), std::string::npos);
  EXPECT_NE(reason.find("GNOME"), std::string::npos);
  EXPECT_EQ(linuxDesktopName(LinuxDesktop::kwin), "Plasma (Wayland)");
}

}  // namespace
}  // namespace dovrik
