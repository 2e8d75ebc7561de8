// Non-blocking reads of a pipe until its writer closes it.
#include "linux/wayland/PipeReader.h"

#include <QObject>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace dovrik::wayland {
namespace {

// Per wake-up of the loop: large enough to keep the number of wake-ups low, small enough that
// other events are served in between.
constexpr std::size_t readsPerWake = 16;

}  // namespace

PipeReader::PipeReader(int fd, Scheduler& mainQueue, Done done)
    : fd_(fd), mainQueue_(mainQueue), done_(std::move(done)) {
  fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readAvailable(); });
  armSilence();
}

PipeReader::~PipeReader() {
  mainQueue_.cancel(silence_);
  notifier_.reset();
  if (fd_ >= 0)
    close(fd_);
}

void PipeReader::armSilence() {
  mainQueue_.cancel(silence_);
  silence_ = mainQueue_.after(silenceBound, [this] {
    silence_ = 0;
    finish(std::nullopt);
  });
}

void PipeReader::readAvailable() {
  std::array<char, 64 * 1024> buffer{};
  for (std::size_t i = 0; i < readsPerWake; ++i) {
    const ssize_t got = read(fd_, buffer.data(), buffer.size());
    if (got == 0)
      return finish(std::move(bytes_));
    if (got < 0) {
      if (errno == EINTR)
        continue;
      if (errno == EAGAIN)
        break;
      return finish(std::nullopt);
    }
    if (bytes_.size() + static_cast<std::size_t>(got) > sizeLimit)
      return finish(std::nullopt);
    bytes_.append(buffer.data(), static_cast<std::size_t>(got));
  }
  armSilence();
}

void PipeReader::finish(std::optional<std::string> result) {
  if (fd_ < 0)
    return;
  mainQueue_.cancel(silence_);
  silence_ = 0;
  notifier_->setEnabled(false);
  close(fd_);
  fd_ = -1;
  // `done` may destroy this reader: nothing of it is touched afterwards.
  auto done = std::move(done_);
  done(std::move(result));
}

}  // namespace dovrik::wayland
