// Applications that run a process per window, with real xterms: a layout puts every one of them
// back, and a rule places a terminal the user starts while another is open, never a later
// window of a process that runs already.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "AgentTest.h"

namespace dovrik::x11test {
namespace {

class MultiProcessAppsTest : public AgentTest {
 protected:
  // An xterm of its own process, titled like every other, and its client window once mapped.
  xcb_window_t startXterm() {
    const pid_t pid = startProgram(
        "/usr/bin/xterm", {"-T", "shell", "-geometry", "60x15+40+40", "-e", "sleep", "600"},
        "xterm.log");
    xcb_window_t found = XCB_NONE;
    client->waitFor([&] { return (found = clientWindowOf(pid)) != XCB_NONE; }, 15);
    return found;
  }

  // Asks for `frame` and returns where the window settles: a terminal keeps a whole number of
  // character cells, so it lands at the requested corner with a size near the requested one.
  std::optional<Rect> placeNear(xcb_window_t window, const Rect& frame) {
    x().accessibility.setFrame(x11::X11Accessibility::windowElement(window), frame);
    std::optional<Rect> landed;
    const bool settled = pumpUntil([&] {
      landed = client->outerFrame(window);
      return landed && landed->x == frame.x && landed->y == frame.y &&
             std::abs(landed->width - frame.width) < 40 &&
             std::abs(landed->height - frame.height) < 40;
    });
    return settled ? landed : std::nullopt;
  }

  // The identity the agent gives xterm's windows, from the line `dovrik apps` prints for it.
  std::string xtermIdentity() {
    std::istringstream lines(run({"apps"}).out);
    for (std::string line; std::getline(lines, line);) {
      if (line.starts_with("XTerm (") && line.ends_with(")"))
        return line.substr(7, line.size() - 8);
    }
    return "XTerm";
  }
};

TEST_F(MultiProcessAppsTest, ALayoutPutsBackEveryTerminalAcrossTwoMonitors) {
  ASSERT_TRUE(splitInHalves());
  ASSERT_TRUE(startAgent());
  std::vector<xcb_window_t> terms;
  for (int i = 0; i < 3; ++i) {
    terms.push_back(startXterm());
    ASSERT_NE(terms.back(), XCB_NONE) << contents("xterm.log");
  }
  const Rect left = client->usablePartOf({0, 0, 960, 1080});
  const Rect right = client->usablePartOf({960, 0, 960, 1080});
  const std::vector<Rect> wanted = {shareOf(left, {0, 0, 1, 0.5}), shareOf(left, {0, 0.5, 1, 0.5}),
                                    shareOf(right, {0, 0, 0.75, 0.75})};
  std::vector<Rect> saved;
  for (std::size_t i = 0; i < terms.size(); ++i) {
    const auto landed = placeNear(terms[i], wanted[i]);
    ASSERT_TRUE(landed) << "terminal " << i;
    saved.push_back(*landed);
  }
  const Finished save = run({"layout", "save", "Terminals"});
  ASSERT_EQ(save.status, 0) << save.err;
  EXPECT_NE(run({"layout", "list"}).out.find("3 windows · 1 app · 2 displays"), std::string::npos);

  for (const xcb_window_t term : terms)
    ASSERT_TRUE(placeNear(term, shareOf(right, {0.1, 0.1, 0.5, 0.5})));
  const Finished restore = run({"layout", "restore", "Terminals"});
  ASSERT_EQ(restore.status, 0) << restore.err;
  for (std::size_t i = 0; i < terms.size(); ++i)
    EXPECT_TRUE(landsOn(terms[i], saved[i])) << "terminal " << i;
}

TEST_F(MultiProcessAppsTest, ARuleSnapsASecondTerminalButNotAnotherWindowOfARunningOne) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t first = startXterm();
  ASSERT_NE(first, XCB_NONE) << contents("xterm.log");
  const Finished added = run({"rules", "add", xtermIdentity(), "left-half"});
  ASSERT_EQ(added.status, 0) << added.err;
  const auto firstFrame = client->outerFrame(first);

  // A later window of the first terminal's process is no launch.
  const std::uint32_t firstPid = client->property(first, "_NET_WM_PID").at(0);
  const xcb_window_t later = client->createWindow(
      {.rect = {500, 400, 300, 200}, .instance = "xterm", .className = "XTerm", .pid = firstPid});
  const auto laterFrame = client->outerFrame(later);

  const xcb_window_t second = startXterm();
  ASSERT_NE(second, XCB_NONE) << contents("xterm.log");
  const Rect half = shareOf(client->usablePartOf({0, 0, 1920, 1080}), {0, 0, 0.5, 1});
  EXPECT_TRUE(client->waitFor([&] {
    const auto frame = client->outerFrame(second);
    return frame && frame->x == half.x && frame->y == half.y &&
           std::abs(frame->width - half.width) < 40 && std::abs(frame->height - half.height) < 40;
  })) << "second terminal at "
      << ::testing::PrintToString(client->outerFrame(second));
  EXPECT_EQ(client->outerFrame(first), firstFrame);
  EXPECT_EQ(client->outerFrame(later), laterFrame);
}

}  // namespace
}  // namespace dovrik::x11test
