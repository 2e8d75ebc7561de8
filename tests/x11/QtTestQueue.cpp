// Delayed tasks as Qt timers.
#include "QtTestQueue.h"

#include <QDateTime>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <utility>

namespace dovrik::x11test {
namespace {

int milliseconds(double seconds) {
  return static_cast<int>(std::lround(std::max(0.0, seconds) * 1000));
}

}  // namespace

QtTestQueue::QtTestQueue() {
  elapsed_.start();
}

double QtTestQueue::now() const {
  return static_cast<double>(elapsed_.nsecsElapsed()) / 1e9;
}

double QtTestQueue::wallTimeSince2001() const {
  return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - 978307200.0;
}

TaskId QtTestQueue::after(double delaySeconds, std::function<void()> task) {
  const TaskId id = next_++;
  auto* timer = new QTimer(&context_);
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer, &QTimer::timeout, &context_, [this, id, task = std::move(task)] {
    // Forget the timer first: the task may schedule or cancel others.
    if (auto it = timers_.find(id); it != timers_.end()) {
      it->second->deleteLater();
      timers_.erase(it);
    }
    task();
  });
  timers_.emplace(id, timer);
  timer->start(milliseconds(delaySeconds));
  return id;
}

TaskId QtTestQueue::every(double intervalSeconds, std::function<void()> task) {
  const TaskId id = next_++;
  auto* timer = new QTimer(&context_);
  timer->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer, &QTimer::timeout, &context_, std::move(task));
  timers_.emplace(id, timer);
  timer->start(milliseconds(intervalSeconds));
  return id;
}

void QtTestQueue::cancel(TaskId task) {
  if (auto it = timers_.find(task); it != timers_.end()) {
    it->second->deleteLater();
    timers_.erase(it);
  }
}

}  // namespace dovrik::x11test
