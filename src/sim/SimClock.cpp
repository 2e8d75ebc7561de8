// Virtual time: a queue of tasks ordered by due time and scheduling order.
#include "sim/SimClock.h"

#include <limits>

namespace dovrik::sim {

TaskId SimClock::after(double delaySeconds, std::function<void()> task) {
  const TaskId id = nextId_++;
  queue_.emplace(Key{now_ + std::max(0.0, delaySeconds), sequence_++},
                 Task{id, std::move(task), 0});
  return id;
}

TaskId SimClock::every(double intervalSeconds, std::function<void()> task) {
  const TaskId id = nextId_++;
  queue_.emplace(Key{now_ + intervalSeconds, sequence_++},
                 Task{id, std::move(task), intervalSeconds});
  return id;
}

void SimClock::cancel(TaskId task) {
  for (auto it = queue_.begin(); it != queue_.end(); ++it) {
    if (it->second.id == task) {
      queue_.erase(it);
      return;
    }
  }
}

bool SimClock::runNext(double limit, bool includeRepeating) {
  for (auto it = queue_.begin(); it != queue_.end(); ++it) {
    if (it->first.first > limit)
      return false;
    if (!includeRepeating && it->second.interval > 0)
      continue;
    Task task = std::move(it->second);
    now_ = std::max(now_, it->first.first);
    queue_.erase(it);
    if (task.interval > 0) {
      queue_.emplace(Key{now_ + task.interval, sequence_++}, Task{task.id, task.fn, task.interval});
    }
    task.fn();
    return true;
  }
  return false;
}

void SimClock::advanceBy(double seconds) {
  const double end = now_ + seconds;
  while (runNext(end, true)) {
  }
  now_ = std::max(now_, end);
}

bool SimClock::runUntilIdle(int maxTasks) {
  for (int ran = 0; ran <= maxTasks; ++ran) {
    if (!runNext(std::numeric_limits<double>::infinity(), false))
      return true;
  }
  return false;
}

}  // namespace dovrik::sim
