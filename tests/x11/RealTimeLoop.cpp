// Running tasks on time and servicing the X connection in between.
#include "RealTimeLoop.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace dovrik::x11test {

namespace {

// 2001-01-01 00:00:00 UTC in Unix time.
constexpr double epoch2001 = 978307200.0;

}  // namespace

double RealTimeLoop::now() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double RealTimeLoop::wallTimeSince2001() const {
  return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
             .count() -
         epoch2001;
}

TaskId RealTimeLoop::after(double delaySeconds, std::function<void()> task) {
  const TaskId id = nextId_++;
  queue_.emplace(std::make_pair(now() + std::max(0.0, delaySeconds), sequence_++),
                 Task{id, std::move(task), 0});
  return id;
}

TaskId RealTimeLoop::every(double intervalSeconds, std::function<void()> task) {
  const TaskId id = nextId_++;
  queue_.emplace(std::make_pair(now() + intervalSeconds, sequence_++),
                 Task{id, std::move(task), intervalSeconds});
  return id;
}

void RealTimeLoop::cancel(TaskId task) {
  std::erase_if(queue_, [&](const auto& entry) { return entry.second.id == task; });
}

void RealTimeLoop::runDueTasks() {
  while (!queue_.empty() && queue_.begin()->first.first <= now()) {
    auto node = queue_.extract(queue_.begin());
    Task task = std::move(node.mapped());
    if (task.interval > 0)
      queue_.emplace(std::make_pair(now() + task.interval, sequence_++), task);
    task.fn();
  }
}

bool RealTimeLoop::runUntil(const std::function<bool()>& condition, double seconds) {
  const double deadline = now() + seconds;
  for (;;) {
    if (x_)
      x_->dispatchPending();
    runDueTasks();
    if (condition())
      return true;
    const double remaining = deadline - now();
    if (remaining <= 0)
      return false;
    double wait = std::min(remaining, 0.02);
    if (!queue_.empty())
      wait = std::min(wait, std::max(0.0, queue_.begin()->first.first - now()));
    pollfd pfd{x_ ? x_->fd() : -1, POLLIN, 0};
    poll(&pfd, 1, static_cast<int>(std::ceil(wait * 1000)));
  }
}

}  // namespace dovrik::x11test
