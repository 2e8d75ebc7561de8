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
  const TaskId id = queue_.add(now() + std::max(0.0, delaySeconds), std::move(task));
  arm();
  return id;
}

TaskId QtMainQueue::every(double intervalSeconds, std::function<void()> task) {
  const double interval = std::max(kMinimumInterval, intervalSeconds);
  const TaskId id = queue_.add(now() + interval, std::move(task), interval);
  arm();
  return id;
}

void QtMainQueue::cancel(TaskId task) {
  queue_.cancel(task);
  arm();
}

// Runs the tasks that were due and already queued when this turn began; tasks they schedule
// wait for the next turn of the loop, so a task that keeps rescheduling itself at once cannot
// starve the rest of the program.
void QtMainQueue::runDue() {
  const double current = now();
  const std::uint64_t batchEnd = queue_.mark();
  while (auto task = queue_.take(current, current, batchEnd))
    task->fn();
  arm();
}

void QtMainQueue::arm() {
  const auto due = queue_.earliestDue();
  if (!due) {
    timer_.stop();
    return;
  }
  const double wait = std::max(0.0, *due - now());
  // Rounded up: a timer that fires before the task is due would only have to be re-armed.
  timer_.start(std::chrono::milliseconds(static_cast<std::int64_t>(std::ceil(wait * 1000))));
}

}  // namespace dovrik::qt
