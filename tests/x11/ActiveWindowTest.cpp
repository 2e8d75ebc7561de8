// The active window on a bare server, where the test plays the window manager's part: the
// root property, a focus fallback through WM_STATE, and the last foreign window standing in.
#include "linux/x11/ActiveWindow.h"

#include <gtest/gtest.h>

#include "RealTimeLoop.h"
#include "TestClient.h"
#include "XServer.h"

namespace dovrik::x11test {
namespace {

constexpr std::int64_t ownPid = 9000;

class ActiveWindowTest : public ::testing::Test {
 protected:
  xcb_window_t managedWindow(std::uint32_t pid) {
    const xcb_window_t window = client_.createWindow({.pid = pid});
    client_.setProperty(window, "WM_STATE", client_.atom("WM_STATE"), {1, XCB_NONE});  // Normal
    listed_.push_back(window);
    client_.setProperty(client_.root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW, listed_);
    return window;
  }
  // Makes a window active the way a window manager announces it, and lets the adapter hear it.
  void announce(xcb_window_t window) {
    client_.setProperty(client_.root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW, {window});
    ASSERT_TRUE(loop_.runUntil([&] {
      return x_.cardinals(x_.root(), x_.atoms()._NET_ACTIVE_WINDOW) == std::vector{window};
    }));
  }

  XServer server_{640, 480};
  TestClient client_{server_.display()};
  x11::XConnection x_{server_.display().c_str()};
  RealTimeLoop loop_{x_};
  x11::ClientWindows clients_{x_};
  x11::ActiveWindow active_{x_, clients_, ownPid};
  std::vector<std::uint32_t> listed_;
};

TEST_F(ActiveWindowTest, FollowsThePropertyThenTheFocusThenTheLastForeignWindow) {
  const xcb_window_t editor = managedWindow(100);
  const xcb_window_t ours = managedWindow(ownPid);
  const xcb_window_t viewer = managedWindow(101);

  announce(editor);
  EXPECT_EQ(active_.current(), editor);
  announce(ours);
  EXPECT_EQ(active_.current(), ours);

  // Nothing announced: the input focus, walked up from a child to the window with WM_STATE.
  xcb_connection_t* c = client_.raw();
  const xcb_window_t child = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, child, viewer, 0, 0, 10, 10, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_map_window(c, child);
  xcb_set_input_focus(c, XCB_INPUT_FOCUS_NONE, child, XCB_CURRENT_TIME);
  announce(XCB_NONE);
  EXPECT_EQ(active_.current(), viewer);

  // No focus at all: the last active window that was not ours stands in while it exists.
  xcb_set_input_focus(c, XCB_INPUT_FOCUS_NONE, XCB_NONE, XCB_CURRENT_TIME);
  announce(ours);
  announce(XCB_NONE);
  EXPECT_EQ(active_.current(), viewer);
  listed_ = {editor, ours};
  client_.setProperty(client_.root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW, listed_);
  ASSERT_TRUE(loop_.runUntil([&] { return clients_.clientList().size() == 2; }));
  EXPECT_EQ(active_.current(), std::nullopt);
}

}  // namespace
}  // namespace dovrik::x11test
