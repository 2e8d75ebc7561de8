// Non-blocking reads of a pipe until its writer closes it.
#include "linux/wayland/PipeReader.h"

#include <array>
#include <cerrno>
#include <utility>

#include <unistd.h>

namespace dovrik::wayland {
namespace {

// Per wake-up of the loop: enough to keep wake-ups few, little enough that other events are
// served in between.
constexpr std::size_t readsPerWake = 16;

}  // namespace

PipeReader::PipeReader(int fd, Scheduler& mainQueue, Done done, std::size_t limit)
    : done_(std::move(done)),
      limit_(limit),
      end_(
          fd, QSocketNotifier::Read, mainQueue, silenceBound, [this] { readAvailable(); },
          [this] { finish(std::nullopt); }) {
  end_.watch(true);
  end_.armSilence();
}

void PipeReader::readAvailable() {
  std::array<char, 64 * 1024> buffer{};
  for (std::size_t i = 0; i < readsPerWake; ++i) {
    const ssize_t got = read(end_.fd(), buffer.data(), buffer.size());
    if (got == 0)
      return finish(std::move(bytes_));
    if (got < 0) {
      if (errno == EINTR)
        continue;
      if (errno == EAGAIN)
        break;
      return finish(std::nullopt);
    }
    if (bytes_.size() + static_cast<std::size_t>(got) > limit_)
      return finish(std::nullopt);
    bytes_.append(buffer.data(), static_cast<std::size_t>(got));
  }
  end_.armSilence();
}

void PipeReader::finish(std::optional<std::string> result) {
  if (!end_.isOpen())
    return;
  end_.close();
  // `done` may destroy this reader: nothing of it is touched afterwards.
  auto done = std::move(done_);
  done(std::move(result));
}

}  // namespace dovrik::wayland
