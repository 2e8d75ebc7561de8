// Snapping under i3: i3 tiles a new window and ignores the EWMH move requests for it, so the
// running `dovrik` floats it and places it through i3's socket. What i3 itself reports about
// the window is what the user sees.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "AgentTest.h"
#include "linux/i3ipc/I3Client.h"
#include "linux/i3ipc/I3Tree.h"
#include "linux/i3ipc/I3Workspaces.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

class I3PlacementTest : public AgentTest {
 protected:
  void SetUp() override {
    if (server->wm() != XServer::Wm::i3)
      GTEST_SKIP() << "runs under i3 only";
    AgentTest::SetUp();
  }

  // i3's own record of the window, outer frame and floating state included.
  std::optional<i3ipc::I3Window> inI3(xcb_window_t window) {
    const auto tree = i3_.request(i3ipc::MessageType::getTree);
    const auto windows = tree ? i3ipc::decodeTree(*tree) : std::nullopt;
    for (const i3ipc::I3Window& w : windows.value_or(std::vector<i3ipc::I3Window>{})) {
      if (w.x11Window == window)
        return w;
    }
    return std::nullopt;
  }

  // The focused workspace's area once i3bar has taken its place at the bottom.
  std::optional<Rect> usableArea() {
    std::optional<Rect> area;
    client->waitFor([&] {
      const auto reply = i3_.request(i3ipc::MessageType::getWorkspaces);
      const auto workspaces = reply ? i3ipc::decodeWorkspaces(*reply) : std::nullopt;
      if (workspaces && !workspaces->empty() && workspaces->front().rect.height < 1080)
        area = workspaces->front().rect;
      return area.has_value();
    });
    return area;
  }

  // Floating with its top-left on the target's and its size on the target's, or less than one
  // step off where the window asks for sizes in steps (xterm's character cells: i3 rounds the
  // frame down to them, and xterm may then ask for a size of its own). As i3 reports it, and
  // as Dovrik reads it from the X server.
  ::testing::AssertionResult floatsOn(xcb_window_t window, const Rect& target) {
    const auto hints = client->property(window, "WM_NORMAL_HINTS");
    const bool stepped = hints.size() >= 11 && (hints[0] & (1u << 6)) != 0;
    const double stepX = stepped ? hints[9] : 1, stepY = stepped ? hints[10] : 1;
    std::optional<i3ipc::I3Window> seen;
    std::optional<Rect> read;
    if (client->waitFor([&] {
          seen = inI3(window);
          read = x().clients.outerFrame(window);
          return seen && seen->floating && seen->frame.origin() == target.origin() &&
                 std::abs(seen->frame.width - target.width) < stepX &&
                 std::abs(seen->frame.height - target.height) < stepY && read == seen->frame;
        }))
      return ::testing::AssertionSuccess();
    if (!seen)
      return ::testing::AssertionFailure() << "i3 does not know the window";
    return ::testing::AssertionFailure()
           << "floating " << seen->floating << ", outer frame "
           << ::testing::PrintToString(seen->frame) << ", read by Dovrik as "
           << ::testing::PrintToString(read);
  }

  i3ipc::I3Client i3_{server->i3Socket()};
};

TEST_F(I3PlacementTest, SnapsATiledTerminalByCommandAndByHotkey) {
  ASSERT_TRUE(startAgent());
  const pid_t terminal = startProgram("/usr/bin/xterm", {}, "xterm.log");
  xcb_window_t window = XCB_NONE;
  ASSERT_TRUE(client->waitFor([&] {
    window = clientWindowOf(terminal);
    return window != XCB_NONE && isActive(window);
  }));
  const auto tiled = inI3(window);
  ASSERT_TRUE(tiled);
  EXPECT_FALSE(tiled->floating);
  const auto usable = usableArea();
  ASSERT_TRUE(usable);

  const Finished leftHalf = run({"snap", "left-half"});
  EXPECT_EQ(leftHalf.status, 0) << leftHalf.err;
  EXPECT_TRUE(floatsOn(window, shareOf(*usable, {0, 0, 0.5, 1})));
  EXPECT_EQ(run({"snap", "Bottom Right"}).status, 0);
  EXPECT_TRUE(floatsOn(window, shareOf(*usable, {0.5, 0.5, 0.5, 0.5})));
  chord({x11::XK_Control_L, x11::XK_Alt_L}, x11::XK_Left);
  EXPECT_TRUE(floatsOn(window, shareOf(*usable, {0, 0, 0.5, 1})));
}

TEST_F(I3PlacementTest, LandsAWindowWithoutSizeStepsExactlyInsideTheBar) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t window = client->createWindow(
      {.rect = {300, 300, 400, 300}, .pid = 8101, .type = "_NET_WM_WINDOW_TYPE_NORMAL"});
  ASSERT_TRUE(client->waitFor([&] { return isActive(window); }));
  const auto usable = usableArea();
  ASSERT_TRUE(usable);
  // The usable area Dovrik works with leaves i3bar out.
  EXPECT_TRUE(pumpUntil([&] {
    return x().screens.screens().front().visibleFrame == x().connection.rootToDesktop(*usable);
  }));

  EXPECT_EQ(run({"snap", "top-right"}).status, 0);
  EXPECT_TRUE(floatsOn(window, shareOf(*usable, {0.5, 0, 0.5, 0.5})));
}

}  // namespace
}  // namespace dovrik::x11test
