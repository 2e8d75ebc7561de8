// The main queue and clock of the real program: tasks and timers run on the Qt event loop.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

#include "core/platform/Clock.h"
#include "core/platform/Scheduler.h"
#include "core/platform/TaskQueue.h"

namespace dovrik::qt {

// One precise QTimer is armed for the earliest task, so tasks due at the same moment run in
// the order they were scheduled, whatever their delays were (Qt's own timers may reorder
// those, and coarse timers drift by up to 5 %).
class QtMainQueue : public Clock, public Scheduler {
 public:
  QtMainQueue();
  QtMainQueue(const QtMainQueue&) = delete;
  QtMainQueue& operator=(const QtMainQueue&) = delete;

  double now() const override;
  double wallTimeSince2001() const override;

  TaskId after(double delaySeconds, std::function<void()> task) override;
  TaskId every(double intervalSeconds, std::function<void()> task) override;
  void cancel(TaskId task) override;

 private:
  void runDue();
  void arm();

  QElapsedTimer elapsed_;
  QTimer timer_;
  TaskQueue queue_;
};

}  // namespace dovrik::qt
