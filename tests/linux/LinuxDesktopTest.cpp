#include "linux/session/LinuxDesktop.h"

#include <gtest/gtest.h>

namespace dovrik {
namespace {

TEST(LinuxDesktopTest, AnX11SessionIsX11EvenWithKWinOnTheBus) {
  // Plasma's X11 session runs KWin too; its windows are moved through X11 there.
  EXPECT_EQ(
      detectLinuxDesktop({.sessionType = "x11", .waylandDisplay = "", .kwinOnSessionBus = true}),
      LinuxDesktop::x11);
  EXPECT_EQ(detectLinuxDesktop({}), LinuxDesktop::x11);
}

TEST(LinuxDesktopTest, AWaylandSessionIsKnownByItsSocketOrItsType) {
  EXPECT_EQ(detectLinuxDesktop(
                {.sessionType = "", .waylandDisplay = "wayland-0", .kwinOnSessionBus = true}),
            LinuxDesktop::kwin);
  EXPECT_EQ(detectLinuxDesktop(
                {.sessionType = "wayland", .waylandDisplay = "", .kwinOnSessionBus = true}),
            LinuxDesktop::kwin);
  EXPECT_EQ(
      detectLinuxDesktop(
          {.sessionType = "wayland", .waylandDisplay = "wayland-0", .kwinOnSessionBus = false}),
      LinuxDesktop::unsupportedWayland);
}

TEST(LinuxDesktopTest, TheRefusalOfAnUnsupportedDesktopNamesTheSupportedOnes) {
  const std::string reason = unsupportedWaylandReason();
  EXPECT_NE(reason.find("Plasma"), std::string::npos);
  EXPECT_NE(reason.find("X11"), std::string::npos);
  EXPECT_EQ(linuxDesktopName(LinuxDesktop::kwin), "Plasma (Wayland)");
}

}  // namespace
}  // namespace dovrik
