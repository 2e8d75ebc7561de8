// Virtual time for tests: the clock and the main queue of the simulated desktop. Nothing runs
// until the test advances time.
#pragma once

#include <functional>

#include "core/platform/Clock.h"
#include "core/platform/Scheduler.h"
#include "core/platform/TaskQueue.h"

namespace dovrik::sim {

class SimClock : public Clock, public Scheduler {
 public:
  double now() const override { return now_; }
  double wallTimeSince2001() const override { return wallOrigin_ + now_; }
  void setWallTimeSince2001(double seconds) { wallOrigin_ = seconds - now_; }

  TaskId after(double delaySeconds, std::function<void()> task) override;
  TaskId every(double intervalSeconds, std::function<void()> task) override;
  void cancel(TaskId task) override;

  // Runs every task due up to now + seconds, in time order, moving the clock to each task's
  // moment; the clock ends at now + seconds.
  void advanceBy(double seconds);
  // Runs due tasks until none is left (repeating timers excluded); the clock moves to each.
  // Answers false if more than `maxTasks` ran, which means a task keeps rescheduling itself.
  bool runUntilIdle(int maxTasks = 10000);
  std::size_t pendingCount() const { return queue_.size(); }

 private:
  bool runNext(double limit, bool includeRepeating);

  double now_ = 0;
  double wallOrigin_ = 800000000;  // 2026-05-08, an arbitrary fixed date
  TaskQueue queue_;
};

}  // namespace dovrik::sim
