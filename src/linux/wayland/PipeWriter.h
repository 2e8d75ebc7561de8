// Hands Dovrik's clipboard content to a client that pastes it, through the pipe the
// compositor passed on, without waiting for that client to read: the pipe wakes the loop when
// it has room again. A client that stops reading is given up on after a bound.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "core/platform/Scheduler.h"

class QSocketNotifier;

namespace dovrik::wayland {

class PipeWriter {
 public:
  static constexpr double silenceBound = 5.0;

  // Takes `fd` (the write end) and closes it once everything is written, the reader went
  // away or stayed stuck.
  PipeWriter(int fd, std::shared_ptr<const std::string> bytes, Scheduler& mainQueue);
  PipeWriter(const PipeWriter&) = delete;
  PipeWriter& operator=(const PipeWriter&) = delete;
  ~PipeWriter();

  bool finished() const { return fd_ < 0; }

 private:
  void writeSome();
  void finish();

  int fd_;
  std::shared_ptr<const std::string> bytes_;
  std::size_t written_ = 0;
  Scheduler& mainQueue_;
  std::unique_ptr<QSocketNotifier> notifier_;
  TaskId silence_ = 0;
};

}  // namespace dovrik::wayland
