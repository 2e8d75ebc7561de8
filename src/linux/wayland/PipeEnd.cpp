// Watching a pipe on the Qt loop with a bound on silence.
#include "linux/wayland/PipeEnd.h"

#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace dovrik::wayland {

PipeEnd::PipeEnd(int fd, QSocketNotifier::Type type, Scheduler& mainQueue, double silenceBound,
                 std::function<void()> ready, std::function<void()> silent)
    : fd_(fd), mainQueue_(mainQueue), silenceBound_(silenceBound), silent_(std::move(silent)) {
  fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
  notifier_ = std::make_unique<QSocketNotifier>(fd_, type);
  notifier_->setEnabled(false);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, std::move(ready));
}

PipeEnd::~PipeEnd() {
  close();
}

void PipeEnd::watch(bool watched) {
  notifier_->setEnabled(watched && isOpen());
}

void PipeEnd::armSilence() {
  mainQueue_.cancel(silence_);
  silence_ = mainQueue_.after(silenceBound_, [this] {
    silence_ = 0;
    silent_();
  });
}

void PipeEnd::close() {
  mainQueue_.cancel(silence_);
  silence_ = 0;
  if (fd_ < 0)
    return;
  notifier_->setEnabled(false);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace dovrik::wayland
