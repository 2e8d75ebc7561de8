// A title-bar drag straight after a hotkey snap, under the real `dovrik`: the drag starts on the
// window where the snap put it, so the title-bar test must see that frame and not an older one,
// every time.
#include "AgentTest.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

class SnapThenDragTest : public AgentTest {
 protected:
  Rect half(double x) { return shareOf(client->usablePartOf({0, 0, 1920, 1080}), {x, 0, 0.5, 1}); }
};

TEST_F(SnapThenDragTest, ADragRightAfterAHotkeySnapLandsInTheZoneTenTimesInARow) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t window = client->createWindow({.rect = {700, 400, 400, 300}, .pid = 8301});
  ASSERT_TRUE(client->activate(window));
  for (int round = 1; round <= 10; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    chord({x11::XK_Control_L, x11::XK_Alt_L}, x11::XK_Left);
    ASSERT_TRUE(landsOn(window, half(0)));
    const Rect frame = client->outerFrame(window).value_or(Rect{});
    const Point grip{frame.midX(), frame.minY() + 8};
    ASSERT_TRUE(movePointer(grip));
    fakeButton(*client, 1, true);
    ASSERT_TRUE(agentCaughtUp());
    // Once it has hold of the window, a hand may move faster than the agent hears of it; the
    // window manager moves the window meanwhile.
    fakeMotion(*client, {grip.x + 12, grip.y + 4});
    fakeMotion(*client, {1300, 500});
    ASSERT_TRUE(movePointer({1917, 500}));
    fakeButton(*client, 1, false);
    EXPECT_TRUE(landsOn(window, half(0.5)));
  }
}

}  // namespace
}  // namespace dovrik::x11test
