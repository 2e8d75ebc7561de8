// Title-bar drags by a real pointer under the real `dovrik`: the window held is the one snapped,
// also a clock that takes no focus while another window stays active, and a snapped window
// dragged away takes back the size it had before the snap.
#include <cstdlib>
#include <string>

#include "AgentTest.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

class DraggedWindowTest : public AgentTest {
 protected:
  Rect half(double x) { return shareOf(client->usablePartOf({0, 0, 1920, 1080}), {x, 0, 0.5, 1}); }

  // Presses at `grip`, moves past the drag threshold and on to `to`, each step heard by the
  // agent; the button stays down.
  ::testing::AssertionResult holdAndMove(Point grip, Point to) {
    if (!movePointer(grip))
      return ::testing::AssertionFailure() << "the agent did not answer";
    fakeButton(*client, 1, true);
    if (!agentCaughtUp())
      return ::testing::AssertionFailure() << "the agent did not hear the press";
    fakeMotion(*client, {grip.x + 12, grip.y + 4});
    if (!movePointer(to))
      return ::testing::AssertionFailure() << "the agent did not hear the drag";
    return ::testing::AssertionSuccess();
  }
  void letGo() {
    fakeButton(*client, 1, false);
    agentCaughtUp();
  }

  // Snaps `window` to the left half with the hotkey, as the user would before dragging it away.
  ::testing::AssertionResult snapLeft(xcb_window_t window) {
    if (!client->activate(window))
      return ::testing::AssertionFailure() << "the window did not become active";
    chord({x11::XK_Control_L, x11::XK_Alt_L}, x11::XK_Left);
    return landsOn(window, half(0));
  }
  bool hasSize(xcb_window_t window, Size size) {
    return client->waitFor([&] {
      const auto frame = client->outerFrame(window);
      return frame && frame->size() == size;
    });
  }
};

TEST_F(DraggedWindowTest, AClockThatTakesNoFocusIsSnappedWhileAnotherWindowStaysActive) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t active = client->createWindow({.rect = {200, 200, 400, 300}, .pid = 8401});
  ASSERT_TRUE(client->activate(active));
  startProgram("/usr/bin/xclock", {"-geometry", "300x300+1200+300"}, "xclock.log");
  xcb_window_t clock = XCB_NONE;
  ASSERT_TRUE(client->waitFor(
      [&] {
        for (const std::uint32_t window : client->property(client->root(), "_NET_CLIENT_LIST")) {
          if (window != active && client->isViewable(window))
            clock = window;
        }
        return clock != XCB_NONE && client->outerFrame(clock);
      },
      15))
      << contents("xclock.log");
  const auto activeFrame = client->outerFrame(active);
  const Rect frame = client->outerFrame(clock).value_or(Rect{});
  ASSERT_TRUE(holdAndMove({frame.midX(), frame.minY() + 8}, {1917, 500}));
  letGo();
  EXPECT_TRUE(landsOn(clock, half(0.5)));
  EXPECT_EQ(client->outerFrame(active), activeFrame);
}

TEST_F(DraggedWindowTest, ASnappedWindowDraggedAwayTakesBackItsSizeUnlessSwitchedOff) {
  // These two ignore a client's resize while their own move runs: the size comes back at the
  // release instead of at the start of the drag.
  const std::string wm = std::getenv("DOVRIK_TEST_WM") ? std::getenv("DOVRIK_TEST_WM") : "";
  const bool resizesDuringMove = wm != "openbox" && wm != "xfwm4";
  ASSERT_TRUE(startAgent());
  const xcb_window_t window = client->createWindow({.rect = {700, 400, 400, 300}, .pid = 8402});
  ASSERT_TRUE(client->activate(window));
  const Size before = client->outerFrame(window).value_or(Rect{}).size();
  ASSERT_TRUE(snapLeft(window));
  Rect frame = client->outerFrame(window).value_or(Rect{});
  ASSERT_TRUE(holdAndMove({frame.minX() + frame.width * 0.75, frame.minY() + 8}, {1000, 500}));
  if (resizesDuringMove) {
    EXPECT_TRUE(hasSize(window, before));
  }
  letGo();
  EXPECT_TRUE(hasSize(window, before)) << "no zone, so no snap after the release";
  frame = client->outerFrame(window).value_or(Rect{});
  EXPECT_NEAR(frame.minX() + frame.width * 0.75, 1000, 12) << "held where it was grabbed";

  EXPECT_EQ(run({"drag", "restore-size", "off"}).status, 0);
  ASSERT_TRUE(snapLeft(window));
  frame = client->outerFrame(window).value_or(Rect{});
  ASSERT_TRUE(holdAndMove({frame.minX() + frame.width * 0.75, frame.minY() + 8}, {1000, 500}));
  letGo();
  EXPECT_EQ(client->outerFrame(window).value_or(Rect{}).size(), half(0).size());
}

}  // namespace
}  // namespace dovrik::x11test
