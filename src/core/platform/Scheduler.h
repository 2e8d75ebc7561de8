// The main queue: every delay, timer and "later on the main thread" step of the core.
#pragma once

#include <cstdint>
#include <functional>

namespace dovrik {

using TaskId = std::uint64_t;

class Scheduler {
 public:
  virtual ~Scheduler() = default;
  // Runs `task` once on the main thread `delaySeconds` from now (0 = next turn of the loop).
  // Tasks due at the same moment run in the order they were scheduled.
  virtual TaskId after(double delaySeconds, std::function<void()> task) = 0;
  // Runs `task` every `intervalSeconds` until cancelled.
  virtual TaskId every(double intervalSeconds, std::function<void()> task) = 0;
  // Cancelling an unknown or finished task is harmless.
  virtual void cancel(TaskId task) = 0;
};

}  // namespace dovrik
