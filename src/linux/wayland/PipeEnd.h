// Our end of a pipe to another client, watched on the Qt loop: it wakes the loop only when the
// pipe is ready, and gives up on a client that stays silent for a bound.
#pragma once

#include <functional>
#include <memory>

#include <QSocketNotifier>

#include "core/platform/Scheduler.h"

namespace dovrik::wayland {

class PipeEnd {
 public:
  // Takes `fd` and makes it non-blocking. `ready` runs whenever the pipe can be read or written
  // (as `type` says) while watched; `silent` when a silence armed with `armSilence` runs out.
  PipeEnd(int fd, QSocketNotifier::Type type, Scheduler& mainQueue, double silenceBound,
          std::function<void()> ready, std::function<void()> silent);
  PipeEnd(const PipeEnd&) = delete;
  PipeEnd& operator=(const PipeEnd&) = delete;
  ~PipeEnd();

  int fd() const { return fd_; }
  bool isOpen() const { return fd_ >= 0; }
  void watch(bool watched);
  // Starts the silence bound again.
  void armSilence();
  void close();

 private:
  int fd_;
  Scheduler& mainQueue_;
  double silenceBound_;
  std::function<void()> silent_;
  std::unique_ptr<QSocketNotifier> notifier_;
  TaskId silence_ = 0;
};

}  // namespace dovrik::wayland
