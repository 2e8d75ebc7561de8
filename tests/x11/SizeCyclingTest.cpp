// Pressing a half's shortcut again on a real desktop: a plain window and xterm, which sizes
// itself in character cells, step through a half, two thirds and a third of the usable width,
// and the gap set from the command line keeps them off the edges.
#include <memory>
#include <optional>
#include <string>

#include "AgentTest.h"
#include "core/windows/PlacedFrames.h"

namespace dovrik::x11test {
namespace {

class SizeCyclingTest : public AgentTest {
 protected:
  void SetUp() override {
    AgentTest::SetUp();
    ASSERT_TRUE(startAgent());
    usable_ = client->usablePartOf({0, 0, 1920, 1080});
  }

  void pressLeftHalf() { chord({x11::XK_Control_L, x11::XK_Alt_L}, x11::XK_Left); }
  void pressRightHalf() { chord({x11::XK_Control_L, x11::XK_Alt_L}, x11::XK_Right); }

  // Waits until the window's outer frame is `target` as a terminal takes it: whole cells, and
  // the window manager's nudge.
  ::testing::AssertionResult takes(xcb_window_t window, const Rect& target) {
    std::optional<Rect> frame;
    if (client->waitFor(
            [&] { return (frame = client->outerFrame(window)) && hasTakenFrame(*frame, target); }))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "outer frame " << ::testing::PrintToString(frame)
                                         << " for " << ::testing::PrintToString(target);
  }

  Rect usable_;
};

TEST_F(SizeCyclingTest, APlainWindowCyclesByItsShortcutAndKeepsTheGap) {
  const xcb_window_t window = client->createWindow({.rect = {300, 300, 400, 300}, .pid = 8201});
  ASSERT_TRUE(client->activate(window));
  for (const double share : {0.5, 2.0 / 3, 1.0 / 3, 0.5}) {
    SCOPED_TRACE(share);
    pressLeftHalf();
    ASSERT_TRUE(landsOn(window, shareOf(usable_, {0, 0, share, 1})));
  }

  // Moved by hand, it starts again at a half.
  ASSERT_TRUE(placeAll({window}, {{200, 200, 500, 400}}));
  pressRightHalf();
  ASSERT_TRUE(landsOn(window, shareOf(usable_, {0.5, 0, 0.5, 1})));

  // The gap from the command line; pressing again cycles the gapped frames.
  ASSERT_EQ(run({"settings", "snapping", "gap", "16"}).status, 0);
  pressRightHalf();
  const Rect half = shareOf(usable_, {0.5, 0, 0.5, 1});
  EXPECT_TRUE(landsOn(window, {half.x + 8, half.y + 16, half.width - 24, half.height - 32}));
  pressRightHalf();
  const Rect twoThirds = shareOf(usable_, {1.0 / 3, 0, 2.0 / 3, 1});
  EXPECT_TRUE(landsOn(
      window, {twoThirds.x + 8, twoThirds.y + 16, twoThirds.width - 24, twoThirds.height - 32}));

  // Switched off, the shortcut snaps to a half however often it is pressed.
  ASSERT_EQ(run({"settings", "snapping", "cycle-sizes", "off"}).status, 0);
  ASSERT_EQ(run({"settings", "snapping", "gap", "0"}).status, 0);
  for (int press = 0; press < 2; ++press) {
    pressLeftHalf();
    EXPECT_TRUE(landsOn(window, shareOf(usable_, {0, 0, 0.5, 1})));
  }
}

TEST_F(SizeCyclingTest, XtermInWholeCellsStillCyclesByItsShortcut) {
  const pid_t pid = startProgram("/usr/bin/xterm", {"-T", "cycling test"}, "xterm.log");
  xcb_window_t window = XCB_NONE;
  ASSERT_TRUE(client->waitFor([&] { return (window = clientWindowOf(pid)) != XCB_NONE; }, 20));
  ASSERT_TRUE(client->activate(window));
  for (const double share : {0.5, 2.0 / 3, 1.0 / 3, 0.5}) {
    SCOPED_TRACE(share);
    pressRightHalf();
    ASSERT_TRUE(takes(window, shareOf(usable_, {1 - share, 0, share, 1})));
  }
  // Through `dovrik snap` the cycle goes on from where the shortcut left it.
  ASSERT_EQ(run({"snap", "right-half"}).status, 0);
  EXPECT_TRUE(takes(window, shareOf(usable_, {1.0 / 3, 0, 2.0 / 3, 1})));
}

}  // namespace
}  // namespace dovrik::x11test
