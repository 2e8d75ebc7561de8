// Trust on X11: a reachable display with an EWMH window manager, and a reason when not.
#include <gtest/gtest.h>

#include "TestClient.h"
#include "XServer.h"
#include "linux/x11/X11Adapters.h"

namespace dovrik::x11test {
namespace {

TEST(TrustTest, NeedsAReachableDisplayAndAnEwmhWindowManager) {
  XServer server(640, 480);
  {
    x11::X11Adapters x(server.display().c_str(), 1);
    EXPECT_FALSE(x.accessibility.isProcessTrusted());
    EXPECT_NE(x.accessibility.untrustedReason().find("no EWMH window manager"), std::string::npos);
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
  }
  server.startWindowManager(XServer::WmConfig::Test);
  x11::X11Adapters x(server.display().c_str(), 1);
  EXPECT_TRUE(x.accessibility.isProcessTrusted());
  EXPECT_EQ(x.accessibility.untrustedReason(), "");

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
