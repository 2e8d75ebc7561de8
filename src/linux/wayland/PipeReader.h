// Reads what another client writes into a pipe, on the Qt loop and without ever waiting for
// it: the pipe wakes the loop when bytes arrive, and each wake-up reads a bounded amount, so a
// transfer of tens of megabytes leaves the loop free in between.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "core/platform/Scheduler.h"
#include "linux/wayland/PipeEnd.h"

namespace dovrik::wayland {

class PipeReader {
 public:
  using Done = std::function<void(std::optional<std::string>)>;

  // A writer that stays silent this long between two pieces is given up on.
  static constexpr double silenceBound = 1.0;
  // Content beyond this is refused rather than held in memory.
  static constexpr std::size_t sizeLimit = 64u << 20;

  // Takes `fd`, the read end, and closes it when done. `done` runs once: with everything read
  // when the writer closes its end, with nothing when it stays silent, sends more than `limit`
  // bytes or the pipe fails. Destroying the reader before closes the pipe without calling
  // `done`.
  PipeReader(int fd, Scheduler& mainQueue, Done done, std::size_t limit = sizeLimit);

  bool finished() const { return !end_.isOpen(); }

 private:
  void readAvailable();
  void finish(std::optional<std::string> result);

  Done done_;
  std::size_t limit_;
  std::string bytes_;
  PipeEnd end_;
};

}  // namespace dovrik::wayland
