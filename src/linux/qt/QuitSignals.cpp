// A signal handler may do almost nothing: it writes a byte into a pipe, and the event loop,
// watching the other end, quits in its own time.
#include "linux/qt/QuitSignals.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>

namespace dovrik::qt {
namespace {

int wakePipe[2] = {-1, -1};

void onQuitSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
    return;
  notifier_ = std::make_unique<QSocketNotifier>(wakePipe[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [] {
    char drained[16];
    while (::read(wakePipe[0], drained, sizeof drained) > 0) {
    }
    QCoreApplication::quit();
  });
  struct sigaction action = {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    ::sigaction(signal, &action, nullptr);
}

QuitSignals::~QuitSignals() {
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    ::sigaction(signal, &action, nullptr);
  notifier_.reset();
  for (int& fd : wakePipe) {
    if (fd >= 0)
      ::close(fd);
    fd = -1;
  }
}

}  // namespace dovrik::qt
