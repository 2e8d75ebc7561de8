// The main queue on the Qt event loop: an ordered task list driven by one precise timer.
#include "linux/qt/QtMainQueue.h"

#include <QDateTime>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace dovrik::qt {
namespace {

// Seconds from the Unix epoch to 2001-01-01 00:00:00 UTC.
constexpr double kUnixTo2001 = 978307200;
// A repeating task never fires more often than this, so a zero interval cannot spin the loop.
constexpr double kMinimumInterval = 0.001;

}  // namespace

QtMainQueue::QtMainQueue() {
  elapsed_.start();
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { runDue(); });
}

double QtMainQueue::now() const {
  return static_cast<double>(elapsed_.nsecsElapsed()) / 1e9;
}

double QtMainQueue::wallTimeSince2001() const {
  return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - kUnixTo2001;
}

TaskId QtMainQueue::after(double delaySeconds, std::function<void()> task) {
  return enqueue(now() + std::max(0.0, delaySeconds), std::move(task), 0);
}

TaskId QtMainQueue::every(double intervalSeconds, std::function<void()> task) {
  const double interval = std::max(kMinimumInterval, intervalSeconds);
  return enqueue(now() + interval, std::move(task), interval);
}

void QtMainQueue::cancel(TaskId task) {
  const auto found = keys_.find(task);
  if (found == keys_.end())
    return;
  queue_.erase(found->second);
  keys_.erase(found);
  arm();
}

TaskId QtMainQueue::enqueue(double due, std::function<void()> fn, double interval) {
  const TaskId id = nextId_++;
  const Key key{due, sequence_++};
  queue_.emplace(key, Task{id, std::move(fn), interval});
  keys_.emplace(id, key);
  arm();
  return id;
}

// Runs the tasks that were due and already queued when this turn began; tasks they schedule
// wait for the next turn of the loop, so a task that keeps rescheduling itself at once cannot
// starve the rest of the program.
void QtMainQueue::runDue() {
  const double current = now();
  const std::uint64_t batchEnd = sequence_;
  for (;;) {
    auto next = std::find_if(queue_.begin(), queue_.end(),
                             [&](const auto& entry) { return entry.first.second < batchEnd; });
    if (next == queue_.end() || next->first.first > current)
      break;
    Task task = std::move(next->second);
    const double due = next->first.first;
    queue_.erase(next);
    keys_.erase(task.id);
    if (task.interval > 0) {
      // After a stall the timer runs once, not once for every interval it missed.
      const Key key{std::max(due + task.interval, current), sequence_++};
      queue_.emplace(key, Task{task.id, task.fn, task.interval});
      keys_.emplace(task.id, key);
    }
    task.fn();
  }
  arm();
}

void QtMainQueue::arm() {
  if (queue_.empty()) {
    timer_.stop();
    return;
  }
  const double wait = std::max(0.0, queue_.begin()->first.first - now());
  // Rounded up: a timer that fires before the task is due would only have to be re-armed.
  timer_.start(std::chrono::milliseconds(static_cast<std::int64_t>(std::ceil(wait * 1000))));
}

}  // namespace dovrik::qt
