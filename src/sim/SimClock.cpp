// Virtual time over the shared task queue: time jumps from one due task to the next.
#include "sim/SimClock.h"

#include <algorithm>
#include <limits>

namespace dovrik::sim {

TaskId SimClock::after(double delaySeconds, std::function<void()> task) {
  return queue_.add(now_ + std::max(0.0, delaySeconds), std::move(task));
}

TaskId SimClock::every(double intervalSeconds, std::function<void()> task) {
  return queue_.add(now_ + intervalSeconds, std::move(task), intervalSeconds);
}

void SimClock::cancel(TaskId task) {
  queue_.cancel(task);
}

bool SimClock::runNext(double limit, bool includeRepeating) {
  auto task =
      queue_.take(limit, now_, std::numeric_limits<std::uint64_t>::max(), !includeRepeating);
  if (!task)
    return false;
  now_ = std::max(now_, task->due);
  task->fn();
  return true;
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
