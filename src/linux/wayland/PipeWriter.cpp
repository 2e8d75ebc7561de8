// Non-blocking writes into a pasting client's pipe.
#include "linux/wayland/PipeWriter.h"

#include <QObject>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace dovrik::wayland {

PipeWriter::PipeWriter(int fd, std::shared_ptr<const std::string> bytes, Scheduler& mainQueue)
    : fd_(fd), bytes_(std::move(bytes)), mainQueue_(mainQueue) {
  // A client that closes its end before reading everything must not end Dovrik with SIGPIPE;
  // the write then fails with EPIPE instead.
  std::signal(SIGPIPE, SIG_IGN);
  fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Write);
  notifier_->setEnabled(false);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { writeSome(); });
  writeSome();
}

PipeWriter::~PipeWriter() {
  mainQueue_.cancel(silence_);
  notifier_.reset();
  if (fd_ >= 0)
    close(fd_);
}

void PipeWriter::writeSome() {
  while (written_ < bytes_->size()) {
    const ssize_t put = write(fd_, bytes_->data() + written_, bytes_->size() - written_);
    if (put < 0 && errno == EINTR)
      continue;
    if (put < 0 && errno == EAGAIN) {
      notifier_->setEnabled(true);
      mainQueue_.cancel(silence_);
      silence_ = mainQueue_.after(silenceBound, [this] {
        silence_ = 0;
        finish();
      });
      return;
    }
    if (put <= 0)
      return finish();
    written_ += static_cast<std::size_t>(put);
  }
  finish();
}

void PipeWriter::finish() {
  if (fd_ < 0)
    return;
  mainQueue_.cancel(silence_);
  silence_ = 0;
  notifier_->setEnabled(false);
  close(fd_);
  fd_ = -1;
}

}  // namespace dovrik::wayland
