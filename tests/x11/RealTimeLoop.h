// The main queue of the end-to-end tests and the latency benchmark: real monotonic time, and a
// loop that runs due tasks and dispatches the adapters' X events, as the Qt loop does in the
// program.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "core/platform/Clock.h"
#include "core/platform/Scheduler.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11test {

class RealTimeLoop : public Clock, public Scheduler {
 public:
  explicit RealTimeLoop(x11::XConnection& connection) : x_(&connection) {}
  // A loop whose connection is made after it, by adapters that take it as their main queue.
  RealTimeLoop() = default;
  void watch(x11::XConnection& connection) { x_ = &connection; }

  double now() const override;
  double wallTimeSince2001() const override;

  TaskId after(double delaySeconds, std::function<void()> task) override;
  TaskId every(double intervalSeconds, std::function<void()> task) override;
  void cancel(TaskId task) override;

  // Runs due tasks and X events until `condition` holds or `seconds` pass; answers whether it
  // came true.
  bool runUntil(const std::function<bool()>& condition, double seconds = 5);

 private:
  struct Task {
    TaskId id;
    std::function<void()> fn;
    double interval;  // 0 for one-shot tasks
  };
  void runDueTasks();

  x11::XConnection* x_ = nullptr;
  std::map<std::pair<double, std::uint64_t>, Task> queue_;  // due time, then scheduling order
  std::uint64_t sequence_ = 0;
  TaskId nextId_ = 1;
};

}  // namespace dovrik::x11test
