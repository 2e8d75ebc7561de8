// Trust on X11: a reachable display with an EWMH window manager, a reason in the user's words
// when not, and an announcement when a window manager arrives.
#include <gtest/gtest.h>

#include <cstdlib>

#include "TestClient.h"
#include "X11TestPlatform.h"
#include "XServer.h"
#include "linux/x11/X11Adapters.h"

namespace dovrik::x11test {
namespace {

TEST(TrustTest, NeedsAReachableDisplayAndAnEwmhWindowManager) {
  XServer server(640, 480);
  {
    x11::X11Adapters x(server.display().c_str(), 1);
    EXPECT_FALSE(x.accessibility.isProcessTrusted());
    EXPECT_NE(x.accessibility.untrustedReason().find("No window manager runs"), std::string::npos);
    int announced = 0;
    x.accessibility.trustMayHaveChanged.connect([&announced] { ++announced; });
    // Reads degrade to nothing rather than failing.
    EXPECT_EQ(x.runningApps.frontmostApplication(), std::nullopt);
    EXPECT_EQ(x.screens.screens().size(), 1u);

    // Without a window manager frames are still written, straight to the client.
    TestClient client(server.display());
    const xcb_window_t window = client.createWindow({.rect = {10, 10, 200, 100}});
    const AXElement element = x11::X11Accessibility::windowElement(window);
    x.accessibility.setFrame(element, {40, 50, 300, 200});
    EXPECT_TRUE(client.waitFor([&] {
      return client.clientRect(window) == Rect{40, 50, 300, 200};
    }));

    // A window manager that speaks no EWMH only redirects the root's children.
    {
      TestClient plainWm(server.display());
      std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
      xcb_change_window_attributes(plainWm.raw(), plainWm.root(), XCB_CW_EVENT_MASK, &mask);
      plainWm.sync();
      EXPECT_NE(x.accessibility.untrustedReason().find("does not support EWMH"), std::string::npos);
      // Let go before the real one starts, which would otherwise find the root taken.
      mask = 0;
      xcb_change_window_attributes(plainWm.raw(), plainWm.root(), XCB_CW_EVENT_MASK, &mask);
      plainWm.sync();
    }
    server.startWindowManager(XServer::WmConfig::Test);
    EXPECT_TRUE(client.waitFor([&] {
      x.connection.dispatchPending();
      return announced > 0 && x.accessibility.isProcessTrusted();
    }));
    EXPECT_EQ(x.accessibility.untrustedReason(), "");
  }
  {
    // The compatibility X server of a Wayland desktop Dovrik cannot drive runs an EWMH window
    // manager too, yet moving its windows alone would leave every native one in place.
    X11TestPlatform onUnsupportedWayland(server.display(), 1);
    EXPECT_TRUE(onUnsupportedWayland.x.accessibility.isProcessTrusted());
    LinuxPlatform compatibility(LinuxDesktop::unsupportedWayland,
                                {.display = server.display(),
                                 .ownPid = 1,
                                 .dataDirs = {},
                                 .serviceOnQtLoop = false,
                                 .previewLook = {}},
                                onUnsupportedWayland.loop, onUnsupportedWayland.background);
    Accessibility& accessibility = compatibility.adapters().accessibility();
    EXPECT_FALSE(accessibility.isProcessTrusted());
    EXPECT_EQ(accessibility.untrustedReason(), unsupportedWaylandReason());
  }

  x11::X11Adapters unreachable(":4095", 1);
  EXPECT_FALSE(unreachable.accessibility.isProcessTrusted());
  EXPECT_NE(unreachable.accessibility.untrustedReason().find("cannot reach the X display"),
            std::string::npos);
  EXPECT_TRUE(unreachable.screens.screens().empty());
  EXPECT_EQ(unreachable.hotkeys.registerHotkey(0, controlKey, {1, 1}).ref, std::nullopt);
  unreachable.connection.dispatchPending();
}

}  // namespace
}  // namespace dovrik::x11test
