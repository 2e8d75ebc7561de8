// Moving the active window between two monitors and back where it was, through the running
// Dovrik and the real window manager.
#include <gtest/gtest.h>

#include <optional>

#include "AgentTest.h"

namespace dovrik::x11test {
namespace {

class DisplayMoveTest : public AgentTest {};

TEST_F(DisplayMoveTest, NextDisplayAcrossTwoMonitorsAndRestore) {
  ASSERT_TRUE(splitInHalves());
  ASSERT_TRUE(startAgent());
  const xcb_window_t window = client->createWindow({.rect = {100, 200, 400, 300}, .pid = 8002});
  ASSERT_TRUE(client->activate(window));
  std::optional<Rect> before;
  ASSERT_TRUE(pumpUntil([&] { return (before = client->outerFrame(window)).has_value(); }));
  const Rect left = client->usablePartOf({0, 0, 960, 1080});
  const Rect right = client->usablePartOf({960, 0, 960, 1080});

  ASSERT_EQ(run({"snap", "left-half"}).status, 0);
  ASSERT_TRUE(landsOn(window, shareOf(left, {0, 0, 0.5, 1})));
  const Finished next = run({"snap", "next-display"});
  EXPECT_EQ(next.status, 0) << next.err;
  EXPECT_TRUE(landsOn(window, shareOf(right, {0, 0, 0.5, 1})));
  // Two monitors: the next after the last is the first again.
  EXPECT_EQ(run({"snap", "next-display"}).status, 0);
  EXPECT_TRUE(landsOn(window, shareOf(left, {0, 0, 0.5, 1})));
  EXPECT_EQ(run({"snap", "previous-display"}).status, 0);
  EXPECT_TRUE(landsOn(window, shareOf(right, {0, 0, 0.5, 1})));

  const Finished restore = run({"snap", "restore"});
  EXPECT_EQ(restore.status, 0) << restore.err;
  EXPECT_TRUE(landsOn(window, *before));
  const Finished nothing = run({"snap", "restore"});
  EXPECT_EQ(nothing.status, 1);
  EXPECT_NE(nothing.err.find("Nothing to restore"), std::string::npos) << nothing.err;
}

}  // namespace
}  // namespace dovrik::x11test
