// The first-run window end to end: the real `dovrik` agent started on a display without a
// window manager opens it by itself, and a window manager starting later switches it to its
// trusted content through the root window's events alone.
#include <string>

#include "AgentTest.h"

namespace dovrik::x11test {
namespace {

class OnboardingTest : public AgentTest {
 protected:
  // The window manager starts inside the test.
  static void SetUpTestSuite() { server = std::make_unique<XServer>(); }
};

TEST_F(OnboardingTest, OpensWithoutAWindowManagerAndTurnsTrustedWhenOneStarts) {
  ASSERT_TRUE(startAgent());
  xcb_window_t window = XCB_NONE;
  ASSERT_TRUE(client->waitFor([&] { return (window = viewableWindowTitled("Dovrik")) != 0; }));
  const Finished waiting = run({"onboarding"});
  EXPECT_EQ(waiting.status, 0) << waiting.err;
  EXPECT_NE(waiting.out.find("No window manager runs on this display"), std::string::npos)
      << waiting.out;

  server->startWindowManager(XServer::WmConfig::Test);
  // Asking shows what the window shows; only the agent's own event watch can change it.
  Finished set;
  EXPECT_TRUE(client->waitFor(
      [&] { return (set = run({"onboarding"})).out.starts_with("You're set\n"); }, 20))
      << set.out;
  // A window manager with edge tiling of its own that comes after Dovrik has it turned off.
  if (server->wm() == XServer::Wm::xfwm4) {
    EXPECT_NE(set.out.find("Xfwm4's own edge tiling is off"), std::string::npos) << set.out;
  }
  // The same window, now managed, was brought forward rather than built again.
  EXPECT_EQ(viewableWindowTitled("Dovrik"), window);
  EXPECT_TRUE(client->waitFor([&] {
    const auto active = client->property(client->root(), "_NET_ACTIVE_WINDOW");
    return !active.empty() && active[0] == window;
  }));
}

}  // namespace
}  // namespace dovrik::x11test
