// Hands Dovrik's clipboard content to a client that pastes it, through the pipe the
// compositor passed on, without waiting for that client to read: the pipe wakes the loop when
// it has room again. A client that stops reading is given up on after a bound.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "core/platform/Scheduler.h"
#include "linux/wayland/PipeEnd.h"

namespace dovrik::wayland {

class PipeWriter {
 public:
  static constexpr double silenceBound = 5.0;

  // Takes `fd`, the write end, and closes it once everything is written, or the reader went
  // away or stopped reading.
  PipeWriter(int fd, std::shared_ptr<const std::string> bytes, Scheduler& mainQueue);

  bool finished() const { return !end_.isOpen(); }

 private:
  void writeSome();

  std::shared_ptr<const std::string> bytes_;
  std::size_t written_ = 0;
  PipeEnd end_;
};

}  // namespace dovrik::wayland
