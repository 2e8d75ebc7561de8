// Virtual time: ordering, repetition and cancellation of the simulated main queue.
#include <gtest/gtest.h>

#include <vector>

#include "sim/SimClock.h"

namespace dovrik::sim {
namespace {

TEST(SimClockTest, TasksRunInTimeThenSchedulingOrderAtTheirOwnMoment) {
  SimClock clock;
  std::vector<std::pair<int, double>> ran;
  clock.after(0.2, [&] { ran.push_back({1, clock.now()}); });
  clock.after(0.1, [&] { ran.push_back({2, clock.now()}); });
  clock.after(0.1, [&] { ran.push_back({3, clock.now()}); });
  clock.advanceBy(0.15);
  EXPECT_EQ(ran, (std::vector<std::pair<int, double>>{{2, 0.1}, {3, 0.1}}));
  EXPECT_DOUBLE_EQ(clock.now(), 0.15);
  clock.advanceBy(1);
  EXPECT_EQ(ran.back(), (std::pair<int, double>{1, 0.2}));
}

TEST(SimClockTest, RepeatingNestedAndCancelledTasksAndTheWallClock) {
  SimClock clock;
  int ticks = 0;
  TaskId timer = 0;
  timer = clock.every(0.5, [&] {
    if (++ticks == 3)
      clock.cancel(timer);
  });
  clock.advanceBy(10);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(clock.pendingCount(), 0u);

  std::vector<int> ran;
  const TaskId cancelled = clock.after(1, [&] { ran.push_back(99); });
  clock.after(0, [&] {
    ran.push_back(1);
    clock.after(0, [&] { ran.push_back(2); });
  });
  clock.cancel(cancelled);
  EXPECT_TRUE(clock.runUntilIdle());
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  clock.setWallTimeSince2001(1000);
  clock.advanceBy(2);
  EXPECT_DOUBLE_EQ(clock.wallTimeSince2001(), 1002);
}

}  // namespace
}  // namespace dovrik::sim
