// Clock and main queue for integration tests on a live Qt event loop: real monotonic time,
// and delayed tasks run by the loop's timers while a test waits.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <map>

#include "core/platform/Clock.h"
#include "core/platform/Scheduler.h"

namespace dovrik::x11test {

class QtTestQueue : public Clock, public Scheduler {
 public:
  QtTestQueue();

  double now() const override;
  double wallTimeSince2001() const override;
  TaskId after(double delaySeconds, std::function<void()> task) override;
  TaskId every(double intervalSeconds, std::function<void()> task) override;
  void cancel(TaskId task) override;

 private:
  // Owns every timer, so none outlives the queue.
  QObject context_;
  QElapsedTimer elapsed_;
  std::map<TaskId, QObject*> timers_;
  TaskId next_ = 1;
};

}  // namespace dovrik::x11test
