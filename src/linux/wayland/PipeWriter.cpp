// Non-blocking writes into a pasting client's pipe.
#include "linux/wayland/PipeWriter.h"

#include <cerrno>
#include <csignal>
#include <utility>

#include <unistd.h>

namespace dovrik::wayland {

PipeWriter::PipeWriter(int fd, std::shared_ptr<const std::string> bytes, Scheduler& mainQueue)
    : bytes_(std::move(bytes)),
      end_(
          fd, QSocketNotifier::Write, mainQueue, silenceBound, [this] { writeSome(); },
          [this] { end_.close(); }) {
  // A client that closes its end before reading everything must not end Dovrik with SIGPIPE;
  // the write then fails with EPIPE instead.
  std::signal(SIGPIPE, SIG_IGN);
  writeSome();
}

void PipeWriter::writeSome() {
  while (written_ < bytes_->size()) {
    const ssize_t put = write(end_.fd(), bytes_->data() + written_, bytes_->size() - written_);
    if (put < 0 && errno == EINTR)
      continue;
    if (put < 0 && errno == EAGAIN) {
      end_.watch(true);
      end_.armSilence();
      return;
    }
    if (put <= 0)
      return end_.close();
    written_ += static_cast<std::size_t>(put);
  }
  end_.close();
}

}  // namespace dovrik::wayland
